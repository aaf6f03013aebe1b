#include "format/PackedJoiner.h"

#include <algorithm>

#include "format/PackedFormat.h"
#include "format/Packer.h"

namespace nbx {

using namespace packed;

namespace {
constexpr std::size_t kOutputChunk = 512000;
}

PackedPiece TakePiece(Packer& packer) {
    PackedPiece piece;
    piece.bytes = std::move(packer.output());
    packer.output().clear();
    piece.tailBits = packer.pendingBits();
    piece.tailBitCount = packer.pendingBitCount();
    return piece;
}

bool PackedJoiner::Drain() {
    if (!sink_.Write(buffer_.data(), buffer_.size())) {
        return false;
    }
    written_ += buffer_.size();
    buffer_.clear();
    return true;
}

bool PackedJoiner::Put(std::uint64_t value, unsigned count) {
    // At most 32 bits at a time, so that they fit beside the fewer than 8 held back.
    while (count > 0) {
        const unsigned n = std::min(count, 32u);
        bits_ |= (value & ((std::uint64_t{1} << n) - 1)) << bitCount_;
        bitCount_ += n;
        value >>= n;
        count -= n;
        while (bitCount_ >= 8) {
            buffer_.push_back(static_cast<char>(bits_ & 0xFF));
            bits_ >>= 8;
            bitCount_ -= 8;
        }
    }
    return buffer_.size() < kOutputChunk || Drain();
}

bool PackedJoiner::Append(const PackedPiece& piece) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(piece.bytes.data());
    std::size_t left = piece.bytes.size();
    if (bitCount_ == 0 && buffer_.empty()) {
        // On a byte boundary the bytes pass unchanged.
        if (left > 0 && !sink_.Write(p, left)) {
            return false;
        }
        written_ += left;
        left = 0;
    }
    while (left > 0) {
        const std::size_t n = std::min(left, kOutputChunk);
        const std::size_t used = buffer_.size();
        buffer_.resize(used + n);
        auto* out = reinterpret_cast<std::uint8_t*>(buffer_.data()) + used;
        for (std::size_t i = 0; i < n; ++i) {
            bits_ |= static_cast<std::uint64_t>(p[i]) << bitCount_;
            out[i] = static_cast<std::uint8_t>(bits_);
            bits_ >>= 8;
        }
        p += n;
        left -= n;
        if (!Drain()) {
            return false;
        }
    }
    return Put(piece.tailBits, piece.tailBitCount);
}

bool PackedJoiner::Finish() {
    if (!Put(1u | kEndCode << 1, kMatchBits)) {
        return false;
    }
    if (bitCount_ > 0) {
        buffer_.push_back(static_cast<char>(bits_ & 0xFF));
        bits_ = 0;
        bitCount_ = 0;
    }
    return Drain();
}

}  // namespace nbx
