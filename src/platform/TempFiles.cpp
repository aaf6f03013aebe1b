#include "platform/TempFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#ifndef _WIN32
#include <sys/file.h>
#endif
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <filesystem>
#include <limits>

#include "platform/OpenDescriptor.h"
#include "platform/Paths.h"

namespace nbx::platform {

namespace {

std::atomic<unsigned> g_counter{0};

// True while some process holds a WorkingFileLock on path.
bool LockedByAnother(const std::string& path) {
    const int fd = OpenDescriptor(path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool locked = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return locked;
}

}  // namespace

std::string TempFolder() {
#ifdef _WIN32
    // The user's own %TEMP%, which only that user (and the administrators) may enter.
    wchar_t folder[MAX_PATH + 1];
    const DWORD n = ::GetTempPathW(MAX_PATH + 1, folder);
    if (n > 0 && n <= MAX_PATH) {
        std::wstring_view path(folder, n);
        if (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) {
            path.remove_suffix(1);
        }
        return WideToUtf8(path);
    }
#endif
    std::error_code ec;
    auto dir = std::filesystem::temp_directory_path(ec);
    return ec ? std::string("/tmp") : dir.string();
}

std::string CreateUniqueFile(const std::string& folder, std::string_view prefix, int& errorCode,
                             unsigned mode) {
    errorCode = 0;
    const std::string pid = std::to_string(::getpid());
    // A name can be taken by another process; try until a free one turns up, but never
    // forever (a read-only folder fails at once, a full one after a while).
    for (int attempt = 0; attempt < 10000; ++attempt) {
        const unsigned n = ++g_counter;
        std::string name(prefix);
        name += pid + "_" + std::to_string(n) + ".tmp";
        const std::string path = JoinPath(folder, name);
        const int fd = OpenDescriptor(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                                      static_cast<mode_t>(mode));
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

std::string CreateTempFile(std::string_view prefix, int& errorCode, unsigned mode) {
    return CreateUniqueFile(TempFolder(), prefix, errorCode, mode);
}

std::string SiblingWorkingFilePrefix(std::string_view name) {
    // 255 bytes less the longest process id (7 digits), "_", counter (10 digits) and ".tmp".
    constexpr std::size_t kMaxPrefix = 255 - 7 - 1 - 10 - 4;
    constexpr std::size_t kMaxName = kMaxPrefix - 2;
    return "." + std::string(name.substr(0, kMaxName)) + ".";
}

namespace {

// Calls remove(path, status) for each of this user's files or folders in folder named
// prefix + process id + "_" + more (ending in suffix) whose process no longer runs.
template <typename Remove>
void ForEachAbandoned(const std::string& folder, std::string_view prefix, std::string_view suffix,
                      Remove remove) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) {
        return;
    }
    const auto isDigits = [](std::string_view s) {
        return !s.empty() && s.size() <= 10 &&
               std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() <= prefix.size() + suffix.size() ||
            name.substr(0, prefix.size()) != prefix || !name.ends_with(suffix)) {
            continue;
        }
        const std::string_view numbers =
            name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
        const std::size_t cut = numbers.find('_');
        if (cut == numbers.npos || !isDigits(numbers.substr(0, cut))) {
            continue;
        }
        const long long pid = std::stoll(std::string(numbers.substr(0, cut)));
        if (pid <= 0 || pid > std::numeric_limits<pid_t>::max() || pid == ::getpid()) {
            continue;
        }
        const std::string path = JoinPath(folder, name);
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || st.st_uid != ::geteuid()) {
            continue;
        }
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            remove(path, st);
        }
    }
    ::closedir(dir);
}

}  // namespace

void RemoveAbandonedWorkingFiles(const std::string& folder, std::string_view prefix) {
    ForEachAbandoned(folder, prefix, ".tmp", [](const std::string& path, const struct stat& st) {
        // Only the counter of a working file's name follows the process id.
        const std::string_view counter =
            std::string_view(path).substr(path.rfind('_') + 1, std::string::npos);
        if (S_ISREG(st.st_mode) && counter.size() > 4 && counter.size() <= 14 &&
            std::all_of(counter.begin(), counter.end() - 4,
                        [](char c) { return c >= '0' && c <= '9'; })) {
            if (!LockedByAnother(path)) {
                RemoveFileQuietly(path);
            }
        }
    });
}

void RemoveAbandonedFolders(const std::string& folder, std::string_view prefix) {
    ForEachAbandoned(folder, prefix, "", [](const std::string& path, const struct stat& st) {
        if (S_ISDIR(st.st_mode)) {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    });
}

bool WorkingFileLock::Lock(const std::string& path) {
    Release();
    // Open for writing: NFS turns the lock into a write lock on the whole file, which needs it.
    fd_ = OpenDescriptor(path, O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        return false;
    }
    ::flock(fd_, LOCK_EX | LOCK_NB);  // a file system without locks keeps the process id alone
    return true;
}

void WorkingFileLock::Release() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

void RemoveFileQuietly(const std::string& path) {
    if (!path.empty()) {
#ifdef _WIN32
        ::_wunlink(Utf8ToWide(path).c_str());
#else
        ::unlink(path.c_str());
#endif
    }
}

}  // namespace nbx::platform
