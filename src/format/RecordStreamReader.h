#pragma once
// Reads a record stream (format/RecordFormat.h) from a range of a RandomAccessInput, reading
// ahead through a buffer and unmasking as it goes.
//
// Nothing read is trusted: a string's length is checked against the bytes left in the range
// before anything is allocated, so a damaged length fails instead of allocating. The first
// failure sticks: every later read fails too, and error() says what went wrong and at which
// offset of the input.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "format/RandomAccessInput.h"

namespace nbx {

class RecordStreamReader {
public:
    static constexpr std::size_t kDefaultReadAhead = 16000;

    // Reads the bytes [offset, offset + length) of input, which must outlive the reader.
    // A range that reaches past the end of the input is cut at the end.
    RecordStreamReader(RandomAccessInput& input, std::uint64_t offset, std::uint64_t length,
                       std::size_t readAhead = kDefaultReadAhead);
    // Reads the whole input.
    explicit RecordStreamReader(RandomAccessInput& input,
                                std::size_t readAhead = kDefaultReadAhead);
    RecordStreamReader(const RecordStreamReader&) = delete;
    RecordStreamReader& operator=(const RecordStreamReader&) = delete;

    bool ReadWord(std::int32_t& value);
    bool ReadWord(std::uint32_t& value);
    // True when the next word equals expected; otherwise fails with a message naming both.
    bool ReadMagic(std::uint32_t expected);
    bool ReadString(std::string& text);
    bool ReadBlock(void* data, std::size_t size);

    // Marks the stream failed, for checks on the values read; keeps an earlier reason.
    // Always returns false.
    bool Fail(std::string message);

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    // Offset in the input of the next byte to be read.
    std::uint64_t position() const { return position_; }
    // Bytes left in the range.
    std::uint64_t remaining() const { return end_ - position_; }

private:
    bool Take(void* data, std::size_t size, const char* what);

    RandomAccessInput& input_;
    std::uint64_t position_;
    std::uint64_t end_;
    std::vector<unsigned char> buffer_;
    std::size_t bufferPos_ = 0;
    std::size_t bufferEnd_ = 0;
    std::string error_;
};

}  // namespace nbx
