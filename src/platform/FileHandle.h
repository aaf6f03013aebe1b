#pragma once
// An open file: a thin owner of a descriptor with whole-buffer reads and writes. Every
// operation returns success or failure and keeps the errno of the first failure in error().

#include <cstddef>
#include <cstdint>
#include <string>

namespace nbx::platform {

class FileHandle {
public:
    enum class Mode {
        Read,           // existing file, read only
        ReadRegular,    // existing regular file, read only; a pipe or device fails at once
        ReadWrite,      // existing file, read and write
        CreateTruncate  // created or emptied, read and write
    };

    FileHandle() = default;
    ~FileHandle() { Close(); }
    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    // Closes any file already open first. False with error() set when it cannot be opened.
    bool Open(const std::string& path, Mode mode);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // Reads up to size bytes at the current position; returns the count read (0 at the end)
    // or -1 on failure.
    std::int64_t Read(void* data, std::size_t size);
    // Reads exactly size bytes at offset; false when the file is shorter or the read fails.
    bool ReadAt(std::uint64_t offset, void* data, std::size_t size);
    // Writes all of data at the current position (or at offset), retrying short writes.
    bool Write(const void* data, std::size_t size);
    bool WriteAt(std::uint64_t offset, const void* data, std::size_t size);

    bool Seek(std::uint64_t offset);
    bool SeekToEnd(std::uint64_t& position);
    // The file's size, or -1 on failure.
    std::int64_t Size();
    bool Truncate(std::uint64_t size);
    // Starts writing the range to disk without waiting for it; a hint that may do nothing.
    void StartWriteBack(std::uint64_t offset, std::uint64_t length);

    int error() const { return error_; }
    // The descriptor, for the system calls this class does not wrap; -1 when closed.
    int descriptor() const { return fd_; }

private:
    bool Fail();
    // Writes at offset, or at the current position when offset is null.
    bool WriteAll(const void* data, std::size_t size, const std::uint64_t* offset);

    int fd_ = -1;
    int error_ = 0;
};

}  // namespace nbx::platform
