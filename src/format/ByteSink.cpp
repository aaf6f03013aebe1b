#include "format/ByteSink.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace nbx {

bool MaskingSink::Write(const void* data, std::size_t size) {
    constexpr std::size_t kChunk = 64 * 1024;
    // Eight bytes at a time: every entry stored as it is passes through here.
    const std::uint64_t mask8 = 0x0101010101010101ull * mask_;
    const auto* p = static_cast<const char*>(data);
    buffer_.resize(std::min(size, kChunk));
    while (size > 0) {
        const std::size_t n = std::min(size, kChunk);
        char* out = buffer_.data();
        std::size_t i = 0;
        for (; i + 8 <= n; i += 8) {
            std::uint64_t word;
            std::memcpy(&word, p + i, 8);
            word ^= mask8;
            std::memcpy(out + i, &word, 8);
        }
        for (; i < n; ++i) {
            out[i] = static_cast<char>(p[i] ^ static_cast<char>(mask_));
        }
        if (!inner_.Write(out, n)) {
            return false;
        }
        p += n;
        size -= n;
    }
    return true;
}

}  // namespace nbx
