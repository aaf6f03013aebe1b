#include "format/Unpacker.h"

#include <algorithm>
#include <cstring>

#include "format/PackedFormat.h"

namespace nbx {

using namespace packed;

namespace {

// Takes bits from the packed bytes, least significant first: from one block of memory, or a
// piece at a time from a source.
class BitReader {
public:
    explicit BitReader(std::string_view bytes)
        : p_(reinterpret_cast<const std::uint8_t*>(bytes.data())), end_(p_ + bytes.size()) {}
    BitReader(const PackedSource& source, std::uint64_t length)
        : source_(&source),
          unread_(length),
          buffer_(static_cast<std::size_t>(std::min<std::uint64_t>(length, kPiece)), '\0') {}

    // Makes at least count bits available; false when the data ends first.
    bool Need(unsigned count) {
        while (count_ <= 56 && (p_ < end_ || Refill())) {
            bits_ |= static_cast<std::uint64_t>(*p_++) << count_;
            count_ += 8;
        }
        return count_ >= count;
    }
    std::uint32_t Take(unsigned count) {
        const auto v = static_cast<std::uint32_t>(bits_ & ((1u << count) - 1));
        bits_ >>= count;
        count_ -= count;
        return v;
    }
    // Whole bytes not yet taken, counting the buffered bits; a partial byte counts as none.
    std::uint64_t BytesLeft() const {
        return static_cast<std::uint64_t>(end_ - p_) + unread_ + count_ / 8;
    }
    bool failed() const { return failed_; }

private:
    static constexpr std::size_t kPiece = 1 << 20;

    bool Refill() {
        if (source_ == nullptr || unread_ == 0) {
            return false;
        }
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(unread_, kPiece));
        const std::size_t got = (*source_)(buffer_.data(), want);
        if (got == 0 || got > want) {
            failed_ = true;
            unread_ = 0;
            return false;
        }
        unread_ -= got;
        p_ = reinterpret_cast<const std::uint8_t*>(buffer_.data());
        end_ = p_ + got;
        return true;
    }

    const std::uint8_t* p_ = nullptr;
    const std::uint8_t* end_ = nullptr;
    std::uint64_t bits_ = 0;
    unsigned count_ = 0;
    const PackedSource* source_ = nullptr;
    std::uint64_t unread_ = 0;
    std::string buffer_;
    bool failed_ = false;
};

bool UnpackBits(BitReader& in, std::uint64_t packedLength,
                std::optional<std::uint64_t> expectedLength, std::string& out, std::string& error);

}  // namespace

bool Unpack(std::string_view packed, std::optional<std::uint64_t> expectedLength, std::string& out,
            std::string& error) {
    BitReader in(packed);
    return UnpackBits(in, packed.size(), expectedLength, out, error);
}

bool Unpack(const PackedSource& source, std::uint64_t packedLength,
            std::optional<std::uint64_t> expectedLength, std::string& out, std::string& error) {
    BitReader in(source, packedLength);
    const bool unpacked = UnpackBits(in, packedLength, expectedLength, out, error);
    if (in.failed()) {
        error = "its packed bytes cannot be read";
        return false;
    }
    return unpacked;
}

namespace {

bool UnpackBits(BitReader& in, std::uint64_t packedLength,
                std::optional<std::uint64_t> expectedLength, std::string& out, std::string& error) {
    out.clear();
    const std::uint64_t limit = MaxUnpackedLength(packedLength);
    if (expectedLength && *expectedLength > limit) {
        error = "its recorded length of " + std::to_string(*expectedLength) +
                " bytes is more than " + std::to_string(packedLength) + " packed bytes can hold";
        return false;
    }
    const std::uint64_t capacity = expectedLength ? *expectedLength : limit;
    if (expectedLength) {
        out.resize(static_cast<std::size_t>(*expectedLength));
    }
    std::size_t size = 0;
    for (;;) {
        if (!in.Need(kLiteralBits)) {  // the shortest token
            error = "the packed data ends without its end mark";
            return false;
        }
        if (in.Take(1) == 0) {
            if (size >= capacity) {
                error = "it unpacks to more than its recorded length";
                return false;
            }
            const auto byte = static_cast<char>(in.Take(8));
            if (expectedLength) {
                out[size] = byte;
            } else {
                out.push_back(byte);
            }
            ++size;
            continue;
        }
        if (!in.Need(kMatchBits - 1)) {
            error = "the packed data ends without its end mark";
            return false;
        }
        const unsigned code = in.Take(4);
        const std::size_t distance = in.Take(13);
        if (code == kEndCode) {
            break;
        }
        const std::size_t length = code + kMinMatch;
        if (distance == 0 || distance > size) {
            error = "a back-reference of " + std::to_string(distance) + " bytes at output byte " +
                    std::to_string(size) + " reaches before the start";
            return false;
        }
        if (length > capacity - size) {
            error = "it unpacks to more than its recorded length";
            return false;
        }
        if (!expectedLength) {
            out.resize(size + length);
        }
        char* dst = out.data() + size;
        const char* src = dst - distance;
        if (distance >= length) {
            std::memcpy(dst, src, length);
        } else {
            for (std::size_t i = 0; i < length; ++i) {
                dst[i] = src[i];
            }
        }
        size += length;
    }
    if (in.BytesLeft() > 0) {
        error = "the packed data goes on after its end mark";
        return false;
    }
    if (expectedLength && size != *expectedLength) {
        error = "it unpacks to " + std::to_string(size) + " bytes instead of the recorded " +
                std::to_string(*expectedLength);
        return false;
    }
    return true;
}

}  // namespace

}  // namespace nbx
