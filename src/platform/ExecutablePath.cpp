#include "platform/ExecutablePath.h"

#include <unistd.h>

#include <climits>

namespace nbx::platform {

namespace {
std::string& Override() {
    static std::string path;
    return path;
}
}  // namespace

std::string ExecutablePath() {
    if (!Override().empty()) {
        return Override();
    }
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer) {
        return {};
    }
    return std::string(buffer, static_cast<std::size_t>(n));
}

void OverrideExecutablePath(const std::string& path) {
    Override() = path;
}

}  // namespace nbx::platform
