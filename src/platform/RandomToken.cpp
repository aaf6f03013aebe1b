#include "platform/RandomToken.h"

#include <sys/random.h>

#include <cerrno>

namespace nbx::platform {

std::string RandomToken() {
    unsigned char bytes[16];
    std::size_t done = 0;
    while (done < sizeof bytes) {
        const ssize_t n = ::getrandom(bytes + done, sizeof bytes - done, 0);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return {};
        }
        done += static_cast<std::size_t>(n);
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string token;
    for (unsigned char b : bytes) {
        token += kHex[b >> 4];
        token += kHex[b & 15];
    }
    return token;
}

}  // namespace nbx::platform
