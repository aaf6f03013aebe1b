#include "platform/TempFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>

#include "platform/Paths.h"

namespace nbx::platform {

namespace {
std::atomic<unsigned> g_counter{0};
}

std::string TempFolder() {
    std::error_code ec;
    auto dir = std::filesystem::temp_directory_path(ec);
    return ec ? std::string("/tmp") : dir.string();
}

std::string CreateUniqueFile(const std::string& folder, std::string_view prefix, int& errorCode) {
    errorCode = 0;
    const std::string pid = std::to_string(::getpid());
    // A name can be taken by another process; try until a free one turns up, but never
    // forever (a read-only folder fails at once, a full one after a while).
    for (int attempt = 0; attempt < 10000; ++attempt) {
        const unsigned n = ++g_counter;
        std::string name(prefix);
        name += pid + "_" + std::to_string(n) + ".tmp";
        const std::string path = JoinPath(folder, name);
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST) {
            errorCode = errno;
            return {};
        }
    }
    errorCode = EEXIST;
    return {};
}

std::string CreateTempFile(std::string_view prefix, int& errorCode) {
    return CreateUniqueFile(TempFolder(), prefix, errorCode);
}

void RemoveFileQuietly(const std::string& path) {
    if (!path.empty()) {
        ::unlink(path.c_str());
    }
}

}  // namespace nbx::platform
