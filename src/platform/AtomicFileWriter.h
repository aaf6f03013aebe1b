#pragma once
// Writes a file so that a crash or a failed write never leaves it half-written: the bytes go
// to a temporary file in the same folder, which replaces the target only on Commit().

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace nbx::platform {

class FileHandle;

class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string targetPath);
    ~AtomicFileWriter();  // removes the temporary file unless committed
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file. False with error() set when the folder is not writable.
    bool Open();
    bool Write(const void* data, std::size_t size);
    bool Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
    // Appends length bytes of source from offset, copied by the system where it can (no trip
    // through this process's memory). False with error() set when a read or write fails or
    // the source ends first.
    bool CopyFrom(FileHandle& source, std::uint64_t offset, std::uint64_t length);
    // Flushes to disk and renames over the target; the target keeps its permission bits
    // when it existed before.
    bool Commit();

    int error() const { return error_; }
    const std::string& tempPath() const { return tempPath_; }

private:
    bool Flush();

    std::string target_;
    std::string tempPath_;
    std::string buffer_;
    int fd_ = -1;
    int error_ = 0;
    bool committed_ = false;
};

// The whole file in one call. errorCode receives the errno of a failure.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, int& errorCode);

}  // namespace nbx::platform
