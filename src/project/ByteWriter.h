#pragma once
// Writes the encodings of the project file into a growing byte buffer: little-endian 32-bit
// numbers and strings with the shortest length prefix that the reader takes back unchanged.

#include <cstdint>
#include <string>
#include <string_view>

namespace nbx::projectfile {

class ByteWriter {
public:
    void WriteU32(std::uint32_t value);
    void WriteI32(std::int32_t value) { WriteU32(static_cast<std::uint32_t>(value)); }
    void WriteString(std::string_view text);  // REQUIRES: text is shorter than 4 GiB
    void WriteZeros(int count);               // reserved numbers
    void WriteEmptyStrings(int count);        // reserved strings

    const std::string& bytes() const { return bytes_; }
    std::string TakeBytes() { return std::move(bytes_); }

private:
    std::string bytes_;
};

}  // namespace nbx::projectfile
