#pragma once
// Reading files that the user named: a named pipe, a terminal or a device with a page's or a
// project's name must end in an error, never stall the program, so the open does not block
// and only regular files are read.

#include <cstdint>
#include <string>

namespace nbx::platform {

// A read-only descriptor of the regular file at path, or -1 with errorCode set: EISDIR for a
// folder, EINVAL for any other special file.
int OpenRegularFile(const std::string& path, int& errorCode);

// What ReadRegularFile does with a file longer than its limit.
enum class Oversize {
    ReadPrefix,  // read the first limit bytes
    Refuse       // read nothing and fail with EFBIG
};

// Reads the regular file at path, at most limit bytes. False with errorCode set when it cannot
// be opened or read. A file that shrinks while it is read gives what was there.
bool ReadRegularFile(const std::string& path, std::uint64_t limit, Oversize oversize,
                     std::string& bytes, int& errorCode);

}  // namespace nbx::platform
