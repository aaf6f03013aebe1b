#include "format/Packer.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "format/PackedFormat.h"

namespace nbx {

using namespace packed;

namespace {

// Bytes kept after the ring that mirror its first bytes, so a comparison that runs past the
// ring's end reads on without wrapping the index.
constexpr std::size_t kMirror = 32;

// A chain link is stored as the distance back to the previous member; anything that is not
// within the ring is stale and written as this.
constexpr std::uint16_t kNoLink = 0xFFFF;

// Worst-case output of one block: every byte a literal, plus a partly filled word.
constexpr std::size_t kBlockOutputBound = kBlockSize * kLiteralBits / 8 + 16;

constexpr std::size_t kReadChunk = 256000;
constexpr std::size_t kOutputChunk = 512000;

inline std::uint64_t Load64(const std::uint8_t* p) {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Length of the common prefix of a and b, at most kMaxMatch.
inline std::size_t MatchLength(const std::uint8_t* a, const std::uint8_t* b) {
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t diff = Load64(a) ^ Load64(b);
        if (diff != 0) {
            return static_cast<std::size_t>(std::countr_zero(diff)) >> 3;
        }
        diff = Load64(a + 8) ^ Load64(b + 8);
        if (diff != 0) {
            return 8 + (static_cast<std::size_t>(std::countr_zero(diff)) >> 3);
        }
        return 16 + (a[16] == b[16] ? 1 : 0);
    } else {
        std::size_t n = 0;
        while (n < kMaxMatch && a[n] == b[n]) {
            ++n;
        }
        return n;
    }
}

// The chains of the format are keyed by a weak 10-bit hash, and in text most members of a
// chain do not share their first three bytes with the position being encoded. So the links
// are kept per finer key (the weak hash plus six more bits of the three bytes): a member
// that could match is always on the finer chain. What the walk must still know of the weak
// chain is how many members it would have examined before reaching a candidate; each
// position records its ordinal in its weak chain, and the difference of two ordinals is
// that count.
constexpr unsigned kKeyBits = 16;

inline unsigned FineKey(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2) {
    return Hash(b0, b1, b2) | static_cast<unsigned>((b0 >> 2) ^ (b1 >> 6) << 4) << 10;
}

// Input positions are kept as their low 32 bits; a head that has fallen out of the ring is
// pushed far back every so often, so that the 32-bit differences never wrap.
constexpr std::uint64_t kRefreshInterval = std::uint64_t{1} << 20;
constexpr std::uint32_t kFarBack = std::uint32_t{1} << 31;

}  // namespace

struct Packer::State {
    std::uint8_t ring[kRingSize + kMirror];
    // Per ring index: distance back to the previous member of the same fine chain.
    std::uint16_t link[kRingSize];
    // Per ring index: ordinal of the position in its weak chain.
    std::uint32_t ordinal[kRingSize];
    // Per weak hash: the next ordinal.
    std::uint32_t count[kHashSize];
    // Per fine key: low 32 bits of the input position of the newest member.
    std::uint32_t head[std::size_t{1} << kKeyBits];
};

Packer::Packer() : state_(std::make_unique<State>()) {
    Reset();
}

Packer::~Packer() = default;

void Packer::Reset() {
    std::memset(state_->ring, 0, sizeof state_->ring);
    std::fill(std::begin(state_->link), std::end(state_->link), kNoLink);
    std::fill(std::begin(state_->ordinal), std::end(state_->ordinal), 0);
    std::fill(std::begin(state_->count), std::end(state_->count), 0);
    std::fill(std::begin(state_->head), std::end(state_->head), 0u - kFarBack);
    output_.clear();
    position_ = 0;
    fill_ = 0;
    bits_ = 0;
    bitCount_ = 0;
}

void Packer::Add(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    while (size > 0) {
        const std::size_t slotStart = static_cast<std::size_t>(position_ & kRingMask);
        const std::size_t n = std::min(size, kBlockSize - fill_);
        std::memcpy(state_->ring + slotStart + fill_, p, n);
        fill_ += n;
        p += n;
        size -= n;
        if (fill_ == kBlockSize) {
            EncodeBlock();
            position_ += kBlockSize;
            fill_ = 0;
        }
    }
}

void Packer::EncodeBlock() {
    State& s = *state_;
    const std::uint8_t* ring = s.ring;
    const std::size_t base = static_cast<std::size_t>(position_ & kRingMask);
    const std::size_t length = fill_;
    if (base == 0) {
        std::memcpy(s.ring + kRingSize, s.ring, kMirror);
    }

    if (position_ % kRefreshInterval == 0 && position_ != 0) {
        const auto now = static_cast<std::uint32_t>(position_);
        for (std::uint32_t& h : s.head) {
            if (now - h >= kRingSize) {
                h = now - kFarBack;
            }
        }
    }

    // Link every position but the last two, oldest first.
    for (std::size_t off = 0; off + 2 < length; ++off) {
        const std::size_t r = base + off;
        const std::uint8_t b0 = ring[r], b1 = ring[r + 1], b2 = ring[r + 2];
        const unsigned key = FineKey(b0, b1, b2);
        const auto pos = static_cast<std::uint32_t>(position_ + off);
        const std::uint32_t back = pos - s.head[key];
        s.link[r] = back < kRingSize ? static_cast<std::uint16_t>(back) : kNoLink;
        s.head[key] = pos;
        s.ordinal[r] = s.count[Hash(b0, b1, b2)]++;
    }

    // Candidates must lie in this block or the seven before it: older slots are reused.
    const std::uint64_t oldest = position_ >= 7 * kBlockSize ? position_ - 7 * kBlockSize : 0;

    std::size_t used = output_.size();
    output_.resize(used + kBlockOutputBound);
    auto* out = reinterpret_cast<std::uint8_t*>(output_.data()) + used;
    std::uint64_t bits = bits_;
    unsigned bitCount = bitCount_;
    auto put = [&](std::uint32_t value, unsigned count) {
        bits |= static_cast<std::uint64_t>(value) << bitCount;
        bitCount += count;
        if (bitCount >= 32) {
            const auto word = static_cast<std::uint32_t>(bits);
            out[0] = static_cast<std::uint8_t>(word);
            out[1] = static_cast<std::uint8_t>(word >> 8);
            out[2] = static_cast<std::uint8_t>(word >> 16);
            out[3] = static_cast<std::uint8_t>(word >> 24);
            out += 4;
            bits >>= 32;
            bitCount -= 32;
        }
    };

    std::size_t off = 0;
    while (off < length) {
        const std::size_t left = length - off;
        const std::size_t r = base + off;
        if (left < kMinMatch) {
            put(static_cast<std::uint32_t>(ring[r]) << 1, kLiteralBits);
            ++off;
            continue;
        }
        // Walk the chain from the newest member before this position.
        const std::uint64_t pos = position_ + off;
        std::size_t bestLength = kMinMatch - 1;
        std::uint64_t bestPos = 0;
        std::uint64_t candidate = pos;
        const std::uint32_t ordinal = s.ordinal[r];
        unsigned link = s.link[r];
        for (;;) {
            if (link >= kRingSize || candidate < oldest + link) {
                break;
            }
            candidate -= link;
            const std::size_t cr = static_cast<std::size_t>(candidate & kRingMask);
            if (ordinal - s.ordinal[cr] > kMaxCandidates) {
                break;  // the weak chain's walk would have stopped before this member
            }
            // Only a strictly longer match counts, so a mismatch at the best length so far
            // settles the candidate without a full comparison.
            if (ring[cr + bestLength] == ring[r + bestLength]) {
                const std::size_t n = MatchLength(ring + cr, ring + r);
                if (n > bestLength) {
                    bestLength = n;
                    bestPos = candidate;
                    if (n == kMaxMatch) {
                        break;
                    }
                }
            }
            link = s.link[cr];
        }
        const std::size_t matchLength = std::min(bestLength, left);
        if (matchLength >= kMinMatch) {
            const auto distance = static_cast<std::uint32_t>(pos - bestPos);
            put(1u | static_cast<std::uint32_t>(matchLength - kMinMatch) << 1 | distance << 5,
                kMatchBits);
            off += matchLength;
        } else {
            put(static_cast<std::uint32_t>(ring[r]) << 1, kLiteralBits);
            ++off;
        }
    }

    bits_ = bits;
    bitCount_ = bitCount;
    output_.resize(static_cast<std::size_t>(out - reinterpret_cast<std::uint8_t*>(output_.data())));
}

void Packer::Finish() {
    if (fill_ > 0) {
        EncodeBlock();
        position_ += fill_;
        fill_ = 0;
    }
    bits_ |= static_cast<std::uint64_t>(1u | kEndCode << 1) << bitCount_;
    bitCount_ += kMatchBits;
    while (bitCount_ > 0) {
        output_.push_back(static_cast<char>(bits_ & 0xFF));
        bits_ >>= 8;
        bitCount_ = bitCount_ > 8 ? bitCount_ - 8 : 0;
    }
    bits_ = 0;
}

std::string PackBytes(std::string_view bytes) {
    Packer packer;
    packer.Add(bytes.data(), bytes.size());
    packer.Finish();
    return std::move(packer.output());
}

PackStreamResult PackStream(platform::FileHandle& source, ByteSink& sink, std::uint64_t stopAbove) {
    PackStreamResult result;
    Packer packer;
    std::vector<char> chunk(kReadChunk);
    // Passes the output on once at least `atLeast` bytes have gathered.
    auto drain = [&](std::size_t atLeast) {
        std::string& out = packer.output();
        if (out.size() < atLeast) {
            return true;
        }
        if (result.packedSize + out.size() > stopAbove) {
            result.tooLarge = true;
            return false;
        }
        if (!sink.Write(out.data(), out.size())) {
            return false;
        }
        result.packedSize += out.size();
        out.clear();
        return true;
    };
    for (;;) {
        const std::int64_t n = source.Read(chunk.data(), chunk.size());
        if (n < 0) {
            return result;
        }
        if (n == 0) {
            break;
        }
        packer.Add(chunk.data(), static_cast<std::size_t>(n));
        result.inputSize += static_cast<std::uint64_t>(n);
        if (!drain(kOutputChunk)) {
            return result;
        }
    }
    packer.Finish();
    result.ok = drain(0);
    return result;
}

bool PackFile(const std::string& sourcePath, const std::string& targetPath) {
    platform::FileHandle source;
    platform::FileHandle target;
    if (!source.Open(sourcePath, platform::FileHandle::Mode::ReadRegular) ||
        !target.Open(targetPath, platform::FileHandle::Mode::CreateTruncate)) {
        return false;
    }
    FileSink sink(target);
    return PackStream(source, sink).ok;
}

}  // namespace nbx
