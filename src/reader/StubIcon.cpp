#include "reader/StubIcon.h"

#include "format/PeIcon.h"
#include "format/RandomAccessInput.h"

namespace nbx::reader {

std::string ReadStubIcon(const std::string& path) {
    FileInput file;
    if (!file.Open(path)) {
        return {};
    }
    // A Windows reader keeps its icon as its program icon, where the shell finds it.
    std::string bytes = ReadPeIconFile(file);
    if (!bytes.empty()) {
        return bytes.size() == kStubIconSize ? bytes : std::string();
    }
    bytes.assign(kStubIconSize, '\0');
    if (!file.ReadAt(kStubIconOffset, bytes.data(), bytes.size())) {
        return {};
    }
    // An icon file begins with the words 0 (reserved) and 1 (type icon).
    if (bytes.compare(0, 4, std::string("\0\0\1\0", 4)) != 0) {
        return {};
    }
    return bytes;
}

}  // namespace nbx::reader
