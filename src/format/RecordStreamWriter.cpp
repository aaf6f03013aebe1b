#include "format/RecordStreamWriter.h"

#include <algorithm>
#include <limits>

#include "format/RecordFormat.h"

namespace nbx {

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
}

RecordStreamWriter::RecordStreamWriter(ByteSink& sink) : sink_(sink) {
    buffer_.reserve(kBufferSize);
}

RecordStreamWriter::~RecordStreamWriter() {
    Flush();
}

void RecordStreamWriter::Append(const void* data, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    written_ += size;
    while (size > 0 && ok_) {
        if (buffer_.size() == kBufferSize) {
            Flush();
        }
        const std::size_t n = std::min(size, kBufferSize - buffer_.size());
        const std::size_t start = buffer_.size();
        buffer_.resize(start + n);
        char* out = buffer_.data() + start;
        for (std::size_t i = 0; i < n; ++i) {
            out[i] = static_cast<char>(p[i] ^ record::kStreamMask);
        }
        p += n;
        size -= n;
    }
}

bool RecordStreamWriter::WriteWord(std::int32_t value) {
    return WriteMagic(static_cast<std::uint32_t>(value));
}

bool RecordStreamWriter::WriteMagic(std::uint32_t value) {
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    Append(bytes, sizeof bytes);
    return ok_;
}

bool RecordStreamWriter::WriteString(std::string_view text) {
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        ok_ = false;
        return false;
    }
    WriteWord(static_cast<std::int32_t>(text.size()));
    Append(text.data(), text.size());
    return ok_;
}

bool RecordStreamWriter::WriteBlock(const void* data, std::size_t size) {
    Append(data, size);
    return ok_;
}

bool RecordStreamWriter::Flush() {
    if (ok_ && !buffer_.empty()) {
        ok_ = sink_.Write(buffer_.data(), buffer_.size());
    }
    buffer_.clear();
    return ok_;
}

}  // namespace nbx
