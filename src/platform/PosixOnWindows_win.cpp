// The POSIX calls of PosixOnWindows.h, for the Windows build of the served programs.
#ifdef _WIN32

#include <bcrypt.h>
#include <direct.h>

#include <cstdlib>
#include <cstring>

#include "platform/PosixOnWindows.h"

namespace nbx::platform {

std::wstring Utf8ToWide(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) {
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), n);
    }
    return wide;
}

std::string WideToUtf8(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int n =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) {
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), n, nullptr, nullptr);
    }
    return bytes;
}

int ErrnoOf(unsigned long win32Error) {
    switch (win32Error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
            return EACCES;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EBUSY;  // what a running program's file gives on Linux too
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return ENOMEM;
        case ERROR_TOO_MANY_OPEN_FILES:
            return EMFILE;
        default:
            return EIO;
    }
}

int OpenDescriptor(const std::string& path, int flags, int) {
    const int access = flags & (O_RDONLY | O_WRONLY | O_RDWR);
    const DWORD wanted = access == O_RDWR     ? GENERIC_READ | GENERIC_WRITE
                         : access == O_WRONLY ? GENERIC_WRITE
                                              : GENERIC_READ;
    DWORD disposition = OPEN_EXISTING;
    if ((flags & O_CREAT) != 0) {
        disposition = (flags & O_EXCL) != 0    ? CREATE_NEW
                      : (flags & O_TRUNC) != 0 ? CREATE_ALWAYS
                                               : OPEN_ALWAYS;
    } else if ((flags & O_TRUNC) != 0) {
        disposition = TRUNCATE_EXISTING;
    }
    const HANDLE file = ::CreateFileW(Utf8ToWide(path).c_str(), wanted,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        errno = ErrnoOf(::GetLastError());
        return -1;
    }
    const int fd =
        ::_open_osfhandle(reinterpret_cast<intptr_t>(file),
                          (flags & (O_APPEND | O_RDONLY | O_WRONLY | O_RDWR)) | _O_BINARY);
    if (fd < 0) {
        ::CloseHandle(file);
        errno = EMFILE;
    }
    return fd;
}

bool SameOpenFile(int a, int b) {
    BY_HANDLE_FILE_INFORMATION ia{};
    BY_HANDLE_FILE_INFORMATION ib{};
    const auto ha = reinterpret_cast<HANDLE>(::_get_osfhandle(a));
    const auto hb = reinterpret_cast<HANDLE>(::_get_osfhandle(b));
    return ha != INVALID_HANDLE_VALUE && hb != INVALID_HANDLE_VALUE &&
           ::GetFileInformationByHandle(ha, &ia) && ::GetFileInformationByHandle(hb, &ib) &&
           ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

int RenameReplacing(const char* from, const char* to) {
    if (!::MoveFileExW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        errno = ErrnoOf(::GetLastError());
        return -1;
    }
    return 0;
}

}  // namespace nbx::platform

namespace {

// A read or write at offset that leaves the descriptor's position where it was, as pread and
// pwrite do.
template <typename Call>
ssize_t AtOffset(int fd, off64_t offset, Call call) {
    const off64_t was = ::_lseeki64(fd, 0, SEEK_CUR);
    if (was < 0 || ::_lseeki64(fd, offset, SEEK_SET) < 0) {
        return -1;
    }
    const ssize_t n = call();
    const int error = errno;
    ::_lseeki64(fd, was, SEEK_SET);
    errno = error;
    return n;
}

unsigned Chunk(size_t size) {
    return static_cast<unsigned>(size > (1u << 30) ? (1u << 30) : size);
}

}  // namespace

ssize_t pread(int fd, void* data, size_t size, off64_t offset) {
    return AtOffset(fd, offset, [&] { return ::_read(fd, data, Chunk(size)); });
}

ssize_t pwrite(int fd, const void* data, size_t size, off64_t offset) {
    return AtOffset(fd, offset, [&] { return ::_write(fd, data, Chunk(size)); });
}

int fsync(int fd) {
    return ::_commit(fd);
}

int flock(int fd, int operation) {
    const auto file = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    if (file == INVALID_HANDLE_VALUE) {
        errno = EBADF;
        return -1;
    }
    // Windows locks are mandatory: a lock on the file's bytes would stop every read of them.
    // The lock is on one byte far past any end instead, which only other locks see, as
    // flock's advisory lock.
    OVERLAPPED whole{};
    whole.Offset = MAXDWORD;
    whole.OffsetHigh = 0x7FFFFFFF;
    if ((operation & LOCK_UN) != 0) {
        return ::UnlockFileEx(file, 0, 1, 0, &whole) ? 0 : -1;
    }
    DWORD flags = (operation & LOCK_EX) != 0 ? LOCKFILE_EXCLUSIVE_LOCK : 0;
    if ((operation & LOCK_NB) != 0) {
        flags |= LOCKFILE_FAIL_IMMEDIATELY;
    }
    if (!::LockFileEx(file, flags, 0, 1, 0, &whole)) {
        errno = EWOULDBLOCK;
        return -1;
    }
    return 0;
}

int lstat(const char* path, struct stat* st) {
    // Windows links are followed by the calls the layer makes; a link is taken as its target.
    struct _stat64 wide {};
    if (::_wstat64(nbx::platform::Utf8ToWide(path).c_str(), &wide) != 0) {
        return -1;
    }
    *st = {};
    st->st_mode = wide.st_mode;
    st->st_size = static_cast<off_t>(wide.st_size);
    st->st_mtime = static_cast<time_t>(wide.st_mtime);
    return 0;
}

char* realpath(const char* path, char* resolved) {
    wchar_t full[MAX_PATH * 4];
    if (resolved != nullptr ||
        ::_wfullpath(full, nbx::platform::Utf8ToWide(path).c_str(), MAX_PATH * 4) == nullptr) {
        errno = EINVAL;
        return nullptr;
    }
    const std::string bytes = nbx::platform::WideToUtf8(full);
    return ::_strdup(bytes.c_str());
}

char* mkdtemp(char* pattern) {
    const size_t length = std::strlen(pattern);
    if (length < 6 || std::strcmp(pattern + length - 6, "XXXXXX") != 0) {
        errno = EINVAL;
        return nullptr;
    }
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned char random[6];
        if (!BCRYPT_SUCCESS(::BCryptGenRandom(nullptr, random, sizeof random,
                                              BCRYPT_USE_SYSTEM_PREFERRED_RNG))) {
            errno = EIO;
            return nullptr;
        }
        for (int i = 0; i < 6; ++i) {
            pattern[length - 6 + i] = kLetters[random[i] % (sizeof kLetters - 1)];
        }
        // A folder in the user's own temporary folder inherits its access list: this user's.
        if (::_wmkdir(nbx::platform::Utf8ToWide(pattern).c_str()) == 0) {
            return pattern;
        }
        if (errno != EEXIST) {
            return nullptr;
        }
    }
    errno = EEXIST;
    return nullptr;
}

int kill(int pid, int) {
    const HANDLE process =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) {
        errno = ::GetLastError() == ERROR_ACCESS_DENIED ? EPERM : ESRCH;
        return -1;
    }
    DWORD code = 0;
    const bool running = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    ::CloseHandle(process);
    if (!running) {
        errno = ESRCH;
        return -1;
    }
    return 0;
}

#endif  // _WIN32
