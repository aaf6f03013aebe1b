#include "platform/RandomToken.h"

#ifdef _WIN32
#include <bcrypt.h>
#else
#include <sys/random.h>
#endif

#include <cerrno>

namespace nbx::platform {

std::string RandomToken() {
    unsigned char bytes[16];
#ifdef _WIN32
    if (!BCRYPT_SUCCESS(
            ::BCryptGenRandom(nullptr, bytes, sizeof bytes, BCRYPT_USE_SYSTEM_PREFERRED_RNG))) {
        return {};
    }
#else
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
#endif
    static constexpr char kHex[] = "0123456789abcdef";
    std::string token;
    for (unsigned char b : bytes) {
        token += kHex[b >> 4];
        token += kHex[b & 15];
    }
    return token;
}

}  // namespace nbx::platform
