#pragma once
// The Windows build of the served programs includes this before every file (see
// cmake/WindowsStubs.cmake): the few POSIX calls the platform layer makes on descriptors,
// mapped onto the C run-time's descriptors and the Win32 calls behind them, so that the
// layer's files stay one source for both systems. Paths are UTF-8 inside the programs: the
// calls that take a path convert it to UTF-16 (Utf8ToWide) before the system sees it.

#ifdef _WIN32

// Winsock 2 before the rest of Windows.
#include <winsock2.h>

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#include <windows.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>
#include <utility>

// Flags that POSIX has and Windows does without: descriptors are not inherited by programs
// the reader starts, and a file is always read as bytes.
#ifndef O_CLOEXEC
#define O_CLOEXEC (_O_NOINHERIT | _O_BINARY)
#endif
#define O_NOFOLLOW 0
#define O_NONBLOCK 0
#define O_NOCTTY 0
#define O_DIRECTORY 0
#define S_ISLNK(mode) 0
#define LOCK_SH 1
#define LOCK_EX 2
#define LOCK_NB 4
#define LOCK_UN 8
#ifndef EWOULDBLOCK
#define EWOULDBLOCK EAGAIN
#endif

namespace nbx::platform {

// UTF-8 to the system's UTF-16, and back; bytes that are not UTF-8 become U+FFFD.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// True when the two descriptors are open on one file (volume and file index), as st_dev and
// st_ino tell on POSIX.
bool SameOpenFile(int a, int b);

// rename(2): replaces to when it exists. 0, or -1 with errno set.
int RenameReplacing(const char* from, const char* to);

// errno for a Win32 error code.
int ErrnoOf(unsigned long win32Error);

}  // namespace nbx::platform

// The POSIX calls, by their POSIX names, for the C run-time's descriptors.
ssize_t pread(int fd, void* data, size_t size, off64_t offset);
ssize_t pwrite(int fd, const void* data, size_t size, off64_t offset);
int fsync(int fd);
int flock(int fd, int operation);
int lstat(const char* path, struct stat* st);
char* realpath(const char* path, char* resolved);
char* mkdtemp(char* pattern);
inline std::tm* localtime_r(const std::time_t* when, std::tm* out) {
    return ::localtime_s(out, when) == 0 ? out : nullptr;
}
inline std::tm* gmtime_r(const std::time_t* when, std::tm* out) {
    return ::gmtime_s(out, when) == 0 ? out : nullptr;
}
// A program's end as waitpid tells it: the exit code itself.
#define WIFEXITED(status) 1
#define WEXITSTATUS(status) (status)
inline int unsetenv(const char* name) {
    return ::_putenv_s(name, "");
}
inline int fchmod(int, unsigned) {
    return 0;
}
#define SYNC_FILE_RANGE_WRITE 2
inline int sync_file_range(int, off64_t, off64_t, unsigned) {
    return 0;  // a hint; Windows writes back on its own
}
// The type of stat's st_uid here (short), so that owner checks compare like with like.
inline decltype(std::declval<struct stat>().st_uid) geteuid() {
    return 0;
}
inline const char* getlogin() {
    return std::getenv("USERNAME");
}
// 0 when a process of that id runs; else -1 with errno ESRCH.
int kill(int pid, int signal);
#ifndef ESRCH
#define ESRCH 3
#endif

#endif  // _WIN32
