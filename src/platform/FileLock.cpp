#include "platform/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace nbx::platform {

FileLock::~FileLock() {
    if (fd_ >= 0) {
        ::close(fd_);  // releases the lock
    }
}

bool FileLock::TryLockExclusive(const std::string& path) {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) {
        error_ = errno;
        return false;
    }
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR) {
            error_ = errno;
            ::close(fd_);
            fd_ = -1;
            return false;
        }
    }
    error_ = 0;
    return true;
}

bool FileLock::IsFileOf(int descriptor) const {
    struct stat locked {};
    struct stat other {};
    return fd_ >= 0 && ::fstat(fd_, &locked) == 0 && ::fstat(descriptor, &other) == 0 &&
           locked.st_dev == other.st_dev && locked.st_ino == other.st_ino;
}

}  // namespace nbx::platform
