#include "platform/FileLock.h"

#include <fcntl.h>
#ifndef _WIN32
#include <sys/file.h>
#endif
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/OpenDescriptor.h"

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
    fd_ = OpenDescriptor(path, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
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
#ifdef _WIN32
    return fd_ >= 0 && SameOpenFile(fd_, descriptor);
#else
    struct stat locked {};
    struct stat other {};
    return fd_ >= 0 && ::fstat(fd_, &locked) == 0 && ::fstat(descriptor, &other) == 0 &&
           locked.st_dev == other.st_dev && locked.st_ino == other.st_ino;
#endif
}

}  // namespace nbx::platform
