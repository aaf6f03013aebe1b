#include "format/ByteSink.h"

#include <algorithm>

namespace nbx {

bool MaskingSink::Write(const void* data, std::size_t size) {
    constexpr std::size_t kChunk = 64 * 1024;
    const auto* p = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const std::size_t n = std::min(size, kChunk);
        buffer_.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            buffer_[i] = static_cast<char>(p[i] ^ mask_);
        }
        if (!inner_.Write(buffer_.data(), n)) {
            return false;
        }
        p += n;
        size -= n;
    }
    return true;
}

}  // namespace nbx
