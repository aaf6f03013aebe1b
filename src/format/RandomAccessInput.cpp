#include "format/RandomAccessInput.h"

#include <cstring>

namespace nbx {

bool MemoryInput::ReadAt(std::uint64_t offset, void* data, std::size_t size) {
    if (offset > bytes_.size() || size > bytes_.size() - offset) {
        return false;
    }
    if (size > 0) {
        std::memcpy(data, bytes_.data() + offset, size);
    }
    return true;
}

bool FileInput::Open(const std::string& path) {
    size_ = 0;
    if (!file_.Open(path, platform::FileHandle::Mode::Read)) {
        return false;
    }
    const std::int64_t size = file_.Size();
    if (size < 0) {
        file_.Close();
        return false;
    }
    size_ = static_cast<std::uint64_t>(size);
    return true;
}

bool FileInput::ReadAt(std::uint64_t offset, void* data, std::size_t size) {
    if (offset > size_ || size > size_ - offset) {
        return false;
    }
    return size == 0 || file_.ReadAt(offset, data, size);
}

}  // namespace nbx
