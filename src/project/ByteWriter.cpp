#include "project/ByteWriter.h"

#include "project/ProjectFileFormat.h"

namespace nbx::projectfile {

void ByteWriter::WriteU32(std::uint32_t value) {
    const char b[4] = {static_cast<char>(value), static_cast<char>(value >> 8),
                       static_cast<char>(value >> 16), static_cast<char>(value >> 24)};
    bytes_.append(b, 4);
}

void ByteWriter::WriteString(std::string_view text) {
    const std::size_t n = text.size();
    if (n < kLongLength) {
        bytes_ += static_cast<char>(n);
    } else {
        bytes_ += static_cast<char>(kLongLength);
        // A 16-bit length of 0xFFFE would read as the UTF-16 marker, so 65534 and up take
        // the 32-bit form.
        const std::uint16_t w = n < kUtf16Marker ? static_cast<std::uint16_t>(n) : kWideLength;
        bytes_ += static_cast<char>(w & 0xFF);
        bytes_ += static_cast<char>(w >> 8);
        if (w == kWideLength) {
            WriteU32(static_cast<std::uint32_t>(n));
        }
    }
    bytes_.append(text);
}

void ByteWriter::WriteZeros(int count) {
    bytes_.append(static_cast<std::size_t>(count) * 4, '\0');
}

void ByteWriter::WriteEmptyStrings(int count) {
    bytes_.append(static_cast<std::size_t>(count), '\0');
}

}  // namespace nbx::projectfile
