#include "format/RecordStreamReader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "format/RecordFormat.h"

namespace nbx {

namespace {

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

void Unmask(unsigned char* p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        p[i] ^= record::kStreamMask;
    }
}

}  // namespace

RecordStreamReader::RecordStreamReader(RandomAccessInput& input, std::uint64_t offset,
                                       std::uint64_t length, std::size_t readAhead)
    : input_(input), position_(std::min(offset, input.Size())) {
    const std::uint64_t available = input.Size() - position_;
    end_ = position_ + std::min(length, available);
    buffer_.resize(std::max<std::size_t>(readAhead, 16));
}

RecordStreamReader::RecordStreamReader(RandomAccessInput& input, std::size_t readAhead)
    : RecordStreamReader(input, 0, input.Size(), readAhead) {}

bool RecordStreamReader::Fail(std::string message) {
    if (error_.empty()) {
        error_ = std::move(message);
    }
    return false;
}

bool RecordStreamReader::Take(void* data, std::size_t size, const char* what) {
    if (!ok()) {
        return false;
    }
    if (size > remaining()) {
        return Fail(std::string("the data ends inside ") + what + " at offset " +
                    std::to_string(position_));
    }
    auto* out = static_cast<unsigned char*>(data);
    std::size_t left = size;
    while (left > 0) {
        if (bufferPos_ == bufferEnd_) {
            // The buffer holds bytes from position_ on; large reads bypass it.
            if (left >= buffer_.size()) {
                if (!input_.ReadAt(position_, out, left)) {
                    return Fail("read error at offset " + std::to_string(position_));
                }
                Unmask(out, left);
                position_ += left;
                return true;
            }
            const std::size_t n =
                static_cast<std::size_t>(std::min<std::uint64_t>(buffer_.size(), remaining()));
            if (!input_.ReadAt(position_, buffer_.data(), n)) {
                return Fail("read error at offset " + std::to_string(position_));
            }
            Unmask(buffer_.data(), n);
            bufferPos_ = 0;
            bufferEnd_ = n;
        }
        const std::size_t n = std::min(left, bufferEnd_ - bufferPos_);
        std::memcpy(out, buffer_.data() + bufferPos_, n);
        bufferPos_ += n;
        position_ += n;
        out += n;
        left -= n;
    }
    return true;
}

bool RecordStreamReader::ReadWord(std::uint32_t& value) {
    unsigned char b[4];
    if (!Take(b, sizeof b, "a word")) {
        return false;
    }
    value = static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
            static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
    return true;
}

bool RecordStreamReader::ReadWord(std::int32_t& value) {
    std::uint32_t raw = 0;
    if (!ReadWord(raw)) {
        return false;
    }
    value = static_cast<std::int32_t>(raw);
    return true;
}

bool RecordStreamReader::ReadMagic(std::uint32_t expected) {
    const std::uint64_t at = position_;
    std::uint32_t value = 0;
    if (!ReadWord(value)) {
        return false;
    }
    if (value != expected) {
        return Fail("expected the mark " + Hex(expected) + " at offset " + std::to_string(at) +
                    ", found " + Hex(value));
    }
    return true;
}

bool RecordStreamReader::ReadString(std::string& text) {
    const std::uint64_t at = position_;
    std::int32_t length = 0;
    if (!ReadWord(length)) {
        return false;
    }
    if (length < 0 || static_cast<std::uint64_t>(length) > remaining()) {
        return Fail("a text length of " + std::to_string(length) + " at offset " +
                    std::to_string(at) + " does not fit in the " + std::to_string(remaining()) +
                    " bytes that follow");
    }
    text.resize(static_cast<std::size_t>(length));
    return Take(text.data(), text.size(), "a text");
}

bool RecordStreamReader::ReadBlock(void* data, std::size_t size) {
    return Take(data, size, "a byte block");
}

}  // namespace nbx
