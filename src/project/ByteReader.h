#pragma once
// Reads the encodings of the project file (little-endian 32-bit numbers, length-prefixed
// strings, counted lists) from a buffer that it does not own.
//
// Every length and count is checked against the bytes that remain before anything is
// allocated. The first read that does not fit marks the reader failed; from then on every
// read returns zero or an empty string without looking at the buffer, so a decoder may read
// a whole layout and test failed() once at the end.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace nbx::projectfile {

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : data_(bytes) {}
    explicit ByteReader(std::string&&) = delete;  // the bytes must outlive the reader

    bool failed() const { return failed_; }
    std::size_t remaining() const { return data_.size() - pos_; }

    std::uint32_t ReadU32();
    std::int32_t ReadI32() { return static_cast<std::int32_t>(ReadU32()); }

    // A string in any of its prefix forms; a UTF-16 string comes back as UTF-8 (an unpaired
    // surrogate becomes U+FFFD).
    std::string ReadString();

    void SkipU32(int count);
    void SkipStrings(int count);

    // A list count, read as a signed number: zero or less gives 0. A count whose records,
    // each at least minRecordBytes long, cannot fit in the bytes left fails the reader.
    std::size_t ReadCount(std::size_t minRecordBytes);

private:
    // The next n bytes, or nullptr (and failed) when fewer remain.
    const unsigned char* Take(std::size_t n);
    std::uint8_t ReadU8();
    std::uint16_t ReadU16();
    // The 16- or 32-bit length that follows a kLongLength byte whose 16-bit value is w.
    std::uint32_t ReadLengthAfter(std::uint16_t w);
    // Reads (into out, unless null) or skips one string.
    void ReadStringInto(std::string* out);

    std::string_view data_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

}  // namespace nbx::projectfile
