#pragma once
// Opens a file by its UTF-8 path as a descriptor: open(2) here, the wide-character calls on
// Windows (whose narrow calls would read the path in the ANSI code page).

#include <fcntl.h>

#include <string>

namespace nbx::platform {

#ifdef _WIN32
// A C run-time descriptor of the file, opened with CreateFileW so that others may read,
// write, rename and delete it meanwhile, as on POSIX (a book being rebranded is replaced by
// rename while it is open). mode is ignored: the user's own folders set the access.
int OpenDescriptor(const std::string& path, int flags, int mode = 0);
#else
inline int OpenDescriptor(const std::string& path, int flags, int mode = 0) {
    return ::open(path.c_str(), flags, mode);
}
#endif

}  // namespace nbx::platform
