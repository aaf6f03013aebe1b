#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/OpenDescriptor.h"

namespace nbx::platform {

int OpenRegularFile(const std::string& path, int& errorCode) {
    errorCode = 0;
    const int fd = OpenDescriptor(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        errorCode = errno;
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        errorCode = errno;
    } else if (!S_ISREG(st.st_mode)) {
        errorCode = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    }
    if (errorCode != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool ReadRegularFile(const std::string& path, std::uint64_t limit, Oversize oversize,
                     std::string& bytes, int& errorCode) {
    const int fd = OpenRegularFile(path, errorCode);
    if (fd < 0) {
        bytes.clear();
        return false;
    }
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0;
    errorCode = ok ? 0 : errno;
    const auto size = static_cast<std::uint64_t>(std::max<off_t>(st.st_size, 0));
    if (ok && size > limit && oversize == Oversize::Refuse) {
        ok = false;
        errorCode = EFBIG;
    }
    if (ok) {
        // Resized from what bytes held: a buffer read into again and again (a build's pages)
        // is not filled with zeros first, only where it grows.
        bytes.resize(static_cast<std::size_t>(std::min(size, limit)));
        std::size_t got = 0;
        while (got < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                ok = false;
                errorCode = errno;
                break;
            }
            if (n == 0) {
                break;  // the file shrank meanwhile
            }
            got += static_cast<std::size_t>(n);
        }
        bytes.resize(ok ? got : 0);
    } else {
        bytes.clear();
    }
    ::close(fd);
    return ok;
}

}  // namespace nbx::platform
