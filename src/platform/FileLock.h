#pragma once
// An advisory whole-file lock (flock), so that two programs that rewrite one file take turns
// instead of each writing over what the other wrote. Released with the object.

#include <string>

namespace nbx::platform {

class FileLock {
public:
    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the exclusive lock of the file at path without waiting. False with error() set:
    // EWOULDBLOCK while another process holds it, else why the file could not be opened.
    bool TryLockExclusive(const std::string& path);
    // True when the locked file is the one open at descriptor (not a file that has replaced
    // it under the same name since).
    bool IsFileOf(int descriptor) const;
    int error() const { return error_; }

private:
    int fd_ = -1;
    int error_ = 0;
};

}  // namespace nbx::platform
