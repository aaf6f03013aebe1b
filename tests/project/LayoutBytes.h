#pragma once
// Builds project file bytes by hand, independently of the program's writer, so that the
// reader is tested against layouts written the way older versions wrote them.

#include <cstdint>
#include <string>
#include <string_view>

namespace nbx::test {

class LayoutBytes {
public:
    LayoutBytes& U32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>(v >> (8 * i));
        return *this;
    }
    LayoutBytes& U16(std::uint16_t v) {
        bytes += static_cast<char>(v & 0xFF);
        bytes += static_cast<char>(v >> 8);
        return *this;
    }
    LayoutBytes& Byte(std::uint8_t v) {
        bytes += static_cast<char>(v);
        return *this;
    }
    LayoutBytes& Raw(std::string_view raw) {
        bytes += raw;
        return *this;
    }
    // Strings shorter than 255 bytes: a one-byte length.
    LayoutBytes& Str(std::string_view s) {
        bytes += static_cast<char>(s.size());
        bytes += s;
        return *this;
    }
    LayoutBytes& Zeros(int n) {
        for (int i = 0; i < n; ++i)
            U32(0);
        return *this;
    }
    LayoutBytes& Empty(int n) {
        bytes.append(static_cast<std::size_t>(n), '\0');
        return *this;
    }

    std::string bytes;
};

}  // namespace nbx::test
