#include "platform/FileRangeCopy.h"

#ifndef _WIN32
#include <linux/fs.h>
#include <sys/ioctl.h>
#endif
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace nbx::platform {

namespace {

constexpr std::uint64_t kMaxStep = 1 << 30;
constexpr std::size_t kBufferSize = 1 << 20;

bool CopyThroughBuffer(int from, std::uint64_t offset, int to, std::uint64_t length,
                       int& errorCode) {
    std::vector<char> chunk(static_cast<std::size_t>(std::min<std::uint64_t>(length, kBufferSize)));
    while (length > 0) {
        const auto part = static_cast<std::size_t>(std::min<std::uint64_t>(length, chunk.size()));
        const ssize_t n = ::pread(from, chunk.data(), part, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            errorCode = n == 0 ? EIO : errno;
            return false;
        }
        if (!WriteFully(to, chunk.data(), static_cast<std::size_t>(n), errorCode)) {
            return false;
        }
        offset += static_cast<std::uint64_t>(n);
        length -= static_cast<std::uint64_t>(n);
    }
    return true;
}

}  // namespace

bool WriteFully(int fd, const char* data, std::size_t size, int& errorCode) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            // A write that takes nothing would repeat for ever: the disk has no room.
            errorCode = n < 0 ? errno : ENOSPC;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool CopyFileRange(int from, std::uint64_t offset, int to, std::uint64_t length, int& errorCode) {
    errorCode = 0;
#ifdef _WIN32
    return CopyThroughBuffer(from, offset, to, length, errorCode);
#else
    auto in = static_cast<off64_t>(offset);
    while (length > 0) {
        const auto step = static_cast<std::size_t>(std::min(length, kMaxStep));
        const ssize_t n = ::copy_file_range(from, &in, to, nullptr, step, 0);
        if (n > 0) {
            length -= static_cast<std::uint64_t>(n);
            continue;
        }
        if (n == 0) {
            errorCode = EIO;  // the source ended first
            return false;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP) {
            errorCode = errno;
            return false;
        }
        return CopyThroughBuffer(from, static_cast<std::uint64_t>(in), to, length, errorCode);
    }
    return true;
#endif
}

bool CloneFile(int from, int to) {
#ifdef _WIN32
    (void)from;
    (void)to;
    return false;  // block cloning needs ReFS; a copy does the same
#else
    return ::ioctl(to, FICLONE, from) == 0;
#endif
}

}  // namespace nbx::platform
