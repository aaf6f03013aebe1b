#include "platform/ExecutablePath.h"

#ifndef _WIN32
#include <unistd.h>
#endif

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
#ifdef _WIN32
    // The book reads itself from its own path, whatever letters that path holds.
    std::wstring buffer(32768, L'\0');
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), 32768);
    if (n == 0 || n >= 32768) {
        return {};
    }
    return WideToUtf8(std::wstring_view(buffer.data(), n));
#else
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer) {
        return {};
    }
    return std::string(buffer, static_cast<std::size_t>(n));
#endif
}

void OverrideExecutablePath(const std::string& path) {
    Override() = path;
}

}  // namespace nbx::platform
