#include "platform/FileHandle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/OpenDescriptor.h"
#include "platform/RegularFile.h"

namespace nbx::platform {

FileHandle::FileHandle(FileHandle&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), error_(other.error_) {}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        error_ = other.error_;
    }
    return *this;
}

bool FileHandle::Fail() {
    error_ = errno;
    return false;
}

bool FileHandle::Open(const std::string& path, Mode mode) {
    Close();
    error_ = 0;
    if (mode == Mode::ReadRegular) {
        fd_ = OpenRegularFile(path, error_);
        return fd_ >= 0;
    }
    int flags = O_CLOEXEC;
    switch (mode) {
        case Mode::Read:
        case Mode::ReadRegular:
            flags |= O_RDONLY;
            break;
        case Mode::ReadWrite:
            flags |= O_RDWR;
            break;
        case Mode::CreateTruncate:
            flags |= O_RDWR | O_CREAT | O_TRUNC;
            break;
    }
    fd_ = OpenDescriptor(path, flags, 0644);
    if (fd_ < 0) {
        return Fail();
    }
    // A folder opens read-only without complaint; treat it as the failure it is for us.
    struct stat st {};
    if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
        Close();
        error_ = EISDIR;
        return false;
    }
    return true;
}

void FileHandle::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

std::int64_t FileHandle::Read(void* data, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd_, data, size);
        if (n >= 0) {
            return n;
        }
        if (errno != EINTR) {
            Fail();
            return -1;
        }
    }
}

bool FileHandle::ReadAt(std::uint64_t offset, void* data, std::size_t size) {
    auto* p = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t n = ::pread(fd_, p, size, static_cast<off_t>(offset));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Fail();
        }
        if (n == 0) {
            error_ = EIO;  // the file ended first
            return false;
        }
        p += n;
        offset += static_cast<std::uint64_t>(n);
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool FileHandle::WriteAll(const void* data, std::size_t size, const std::uint64_t* offset) {
    const auto* p = static_cast<const char*>(data);
    std::uint64_t at = offset ? *offset : 0;
    while (size > 0) {
        const ssize_t n =
            offset ? ::pwrite(fd_, p, size, static_cast<off_t>(at)) : ::write(fd_, p, size);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Fail();
        }
        p += n;
        at += static_cast<std::uint64_t>(n);
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool FileHandle::Write(const void* data, std::size_t size) {
    return WriteAll(data, size, nullptr);
}

bool FileHandle::WriteAt(std::uint64_t offset, const void* data, std::size_t size) {
    return WriteAll(data, size, &offset);
}

bool FileHandle::Seek(std::uint64_t offset) {
    return ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) >= 0 || Fail();
}

bool FileHandle::SeekToEnd(std::uint64_t& position) {
    const off_t end = ::lseek(fd_, 0, SEEK_END);
    if (end < 0) {
        return Fail();
    }
    position = static_cast<std::uint64_t>(end);
    return true;
}

std::int64_t FileHandle::Size() {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        Fail();
        return -1;
    }
    return st.st_size;
}

void FileHandle::StartWriteBack(std::uint64_t offset, std::uint64_t length) {
    if (fd_ >= 0) {
        ::sync_file_range(fd_, static_cast<off64_t>(offset), static_cast<off64_t>(length),
                          SYNC_FILE_RANGE_WRITE);
    }
}

bool FileHandle::Truncate(std::uint64_t size) {
    return ::ftruncate(fd_, static_cast<off_t>(size)) == 0 || Fail();
}

}  // namespace nbx::platform
