#include "project/ByteReader.h"
#include "common/Utf8.h"

#include "project/ProjectFileFormat.h"

namespace nbx::projectfile {

namespace {

void AppendUtf16AsUtf8(std::string& out, const unsigned char* p, std::size_t units) {
    constexpr std::uint32_t kReplacement = 0xFFFD;
    out.reserve(units * 3);
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint32_t u = p[2 * i] | (p[2 * i + 1] << 8);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
            const std::uint32_t low = p[2 * i + 2] | (p[2 * i + 3] << 8);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? kReplacement : u);
    }
}

}  // namespace

const unsigned char* ByteReader::Take(std::size_t n) {
    if (failed_ || n > remaining()) {
        failed_ = true;
        return nullptr;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(data_.data() + pos_);
    pos_ += n;
    return p;
}

std::uint8_t ByteReader::ReadU8() {
    const unsigned char* p = Take(1);
    return p ? p[0] : 0;
}

std::uint16_t ByteReader::ReadU16() {
    const unsigned char* p = Take(2);
    return p ? static_cast<std::uint16_t>(p[0] | (p[1] << 8)) : 0;
}

std::uint32_t ByteReader::ReadU32() {
    const unsigned char* p = Take(4);
    if (!p) {
        return 0;
    }
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint32_t ByteReader::ReadLengthAfter(std::uint16_t w) {
    return w == kWideLength ? ReadU32() : w;
}

void ByteReader::ReadStringInto(std::string* out) {
    const std::uint8_t b = ReadU8();
    std::uint32_t length = b;
    bool utf16 = false;
    if (b == kLongLength) {
        const std::uint16_t w = ReadU16();
        if (w == kUtf16Marker) {
            // The character count has a prefix of its own; the marker is not looked for again.
            utf16 = true;
            const std::uint8_t b2 = ReadU8();
            length = b2 == kLongLength ? ReadLengthAfter(ReadU16()) : b2;
        } else {
            length = ReadLengthAfter(w);
        }
    }
    if (failed_) {
        return;
    }
    const std::uint64_t bytes = utf16 ? std::uint64_t{length} * 2 : length;
    if (bytes > remaining()) {
        failed_ = true;
        return;
    }
    const unsigned char* p = Take(static_cast<std::size_t>(bytes));
    if (!out) {
        return;
    }
    if (utf16) {
        AppendUtf16AsUtf8(*out, p, length);
    } else {
        out->assign(reinterpret_cast<const char*>(p), length);
    }
}

std::string ByteReader::ReadString() {
    std::string s;
    ReadStringInto(&s);
    return s;
}

void ByteReader::SkipU32(int count) {
    for (int i = 0; i < count; ++i) {
        ReadU32();
    }
}

void ByteReader::SkipStrings(int count) {
    for (int i = 0; i < count && !failed_; ++i) {
        ReadStringInto(nullptr);
    }
}

std::size_t ByteReader::ReadCount(std::size_t minRecordBytes) {
    const std::int32_t count = ReadI32();
    if (failed_ || count <= 0) {
        return 0;
    }
    if (static_cast<std::uint64_t>(count) * minRecordBytes > remaining()) {
        failed_ = true;
        return 0;
    }
    return static_cast<std::size_t>(count);
}

}  // namespace nbx::projectfile
