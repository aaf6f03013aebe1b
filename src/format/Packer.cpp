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

inline std::uint32_t Load32(const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Most walks in text examine dozens of members that share three bytes with the position and
// lose to a longer match found early. A second chain links the positions that share four
// bytes: a walk looks there first, and falls back to the fine chain only for a match of
// exactly three bytes. Both see the same members in the same order, so the choice is the
// same; the long chain only skips members that cannot win.
constexpr unsigned kLongKeyBits = 16;

// The long chain costs a second link per position, which pays only where matches are common;
// after a block that found few, the next one is not linked there, and the walks use the fine
// chain alone until the ring holds only linked blocks again.
constexpr std::size_t kLongChainBlocks = kRingSize / kBlockSize;

inline unsigned LongKey(std::uint32_t fourBytes) {
    return (fourBytes * 2654435761u) >> (32 - kLongKeyBits);
}

// Input positions are kept as their low 32 bits; a head that has fallen out of the ring is
// pushed far back every so often, so that the 32-bit differences never wrap.
constexpr std::uint64_t kRefreshInterval = std::uint64_t{1} << 20;
constexpr std::uint32_t kFarBack = std::uint32_t{1} << 31;

// Reset() reuses the chain heads while positions stay below this.
constexpr std::uint64_t kHeadReuseLimit = std::uint64_t{1} << 30;

}  // namespace

struct Packer::State {
    std::uint8_t ring[kRingSize + kMirror];
    // Per ring index: distance back to the previous member of the same fine chain, and the
    // position's ordinal in its weak chain. Two members of one walk are never more than a
    // ring apart, so 16 bits of ordinal give their difference; side by side, and small, the
    // two stay in the first-level cache while a chain is walked.
    struct Member {
        std::uint16_t link;
        std::uint16_t ordinal;
        std::uint16_t longLink;  // the same for the long chain
    };
    Member member[kRingSize];
    // Per weak hash: the next ordinal.
    std::uint16_t count[kHashSize];
    // Per fine key, and per long key: low 32 bits of the input position of the newest member.
    std::uint32_t head[std::size_t{1} << kKeyBits];
    std::uint32_t longHead[std::size_t{1} << kLongKeyBits];
};

Packer::Packer() : state_(std::make_unique<State>()) {
    Reset();
}

Packer::~Packer() = default;

void Packer::ClearState(std::uint64_t origin) {
    std::memset(state_->ring, 0, sizeof state_->ring);
    std::fill(std::begin(state_->member), std::end(state_->member),
              State::Member{kNoLink, 0, kNoLink});
    std::fill(std::begin(state_->count), std::end(state_->count), 0);
    longPending_ = false;
    linkLongNext_ = true;
    longRun_ = 0;
    blocksLinked_ = 0;
    output_.clear();
    origin_ = origin;
    position_ = origin;
    fill_ = 0;
    bits_ = 0;
    bitCount_ = 0;
}

void Packer::PointHeadsNowhere() {
    const auto nowhere = static_cast<std::uint32_t>(position_) - kFarBack;
    std::fill(std::begin(state_->head), std::end(state_->head), nowhere);
    std::fill(std::begin(state_->longHead), std::end(state_->longHead), nowhere);
}

void Packer::Reset() {
    // The chain heads are most of the state. Rather than clearing them for every small
    // file, a new packing starts a ring's length past the end of the last one, where every
    // old head is too far back to be linked; they are cleared only once in a while, well
    // before positions could wrap.
    const std::uint64_t next = (position_ + fill_ + 2 * kRingSize - 1) / kRingSize * kRingSize;
    const bool clearHeads = !headsCleared_ || next > kHeadReuseLimit;
    ClearState(clearHeads ? 0 : next);
    if (clearHeads) {
        PointHeadsNowhere();
        headsCleared_ = true;
    }
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

void Packer::Resume(std::uint64_t startPosition, std::string_view history) {
    // Positions are the input's own, so that the ring holds every byte where one Packer
    // over the whole input would hold it.
    ClearState(0);
    position_ = startPosition - history.size();
    PointHeadsNowhere();
    // The history joins the chains and fills the ring as if it had been packed here.
    for (std::size_t at = 0; at < history.size(); at += kBlockSize) {
        fill_ = std::min(kBlockSize, history.size() - at);
        std::memcpy(state_->ring + (position_ & kRingMask), history.data() + at, fill_);
        LinkBlock();
        position_ += fill_;
    }
    fill_ = 0;
}

void Packer::LinkBlock() {
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
        for (std::uint32_t& h : s.longHead) {
            if (now - h >= kRingSize) {
                h = now - kFarBack;
            }
        }
    }

    const bool linkLong = linkLongNext_;
    const auto addLong = [&s, ring](std::size_t r, std::uint32_t pos) {
        std::uint32_t& head = s.longHead[LongKey(Load32(ring + r))];
        const std::uint32_t back = pos - head;
        s.member[r].longLink = back < kRingSize ? static_cast<std::uint16_t>(back) : kNoLink;
        head = pos;
    };
    // The last position the previous block linked, now that its fourth byte is here.
    if (linkLong && longPending_) {
        addLong((base - 3) & kRingMask, static_cast<std::uint32_t>(position_ - 3));
    }

    // Link every position but the last two, oldest first.
    for (std::size_t off = 0; off + 2 < length; ++off) {
        const std::size_t r = base + off;
        const std::uint8_t b0 = ring[r], b1 = ring[r + 1], b2 = ring[r + 2];
        const unsigned key = FineKey(b0, b1, b2);
        const auto pos = static_cast<std::uint32_t>(position_ + off);
        const std::uint32_t back = pos - s.head[key];
        s.member[r].link = back < kRingSize ? static_cast<std::uint16_t>(back) : kNoLink;
        s.member[r].ordinal = s.count[Hash(b0, b1, b2)]++;
        s.head[key] = pos;
        if (linkLong && off + 3 < length) {
            addLong(r, pos);
        }
    }
    // Only a full block is followed by another.
    longPending_ = linkLong && length == kBlockSize;
    ++blocksLinked_;
    longRun_ = linkLong ? longRun_ + 1 : 0;
}

void Packer::EncodeBlock() {
    LinkBlock();
    State& s = *state_;
    const std::uint8_t* ring = s.ring;
    const std::size_t base = static_cast<std::size_t>(position_ & kRingMask);
    const std::size_t length = fill_;

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

    // The long chain holds every member of the ring only when every block in it was linked
    // there.
    const bool useLong = longRun_ >= kLongChainBlocks || longRun_ == blocksLinked_;
    std::size_t matched = 0;
    std::size_t off = 0;
    while (off < length) {
        const std::size_t left = length - off;
        const std::size_t r = base + off;
        if (left < kMinMatch) {
            put(static_cast<std::uint32_t>(ring[r]) << 1, kLiteralBits);
            ++off;
            continue;
        }
        // Walk the chains from the newest member before this position.
        const std::uint64_t pos = position_ + off;
        const std::uint16_t ordinal = s.member[r].ordinal;
        const std::uint32_t fourBytes = Load32(ring + r);
        std::size_t bestLength = kMinMatch - 1;
        std::uint64_t bestPos = 0;
        // Takes a member as the best when it matches longer; true when none can do better
        // than `enough`. Only a strictly longer match counts, so a mismatch at the best
        // length so far settles a member without a full comparison.
        const auto consider = [&](std::uint64_t member, std::size_t cr, std::size_t enough) {
            if (ring[cr + bestLength] != ring[r + bestLength]) {
                return false;
            }
            const std::size_t n = MatchLength(ring + cr, ring + r);
            if (n <= bestLength) {
                return false;
            }
            bestLength = n;
            bestPos = member;
            return n >= enough;
        };
        std::uint64_t candidate = pos;
        unsigned link = useLong ? s.member[r].longLink : kNoLink;
        if (useLong && left == kMinMatch) {
            // The fourth byte lies past the block, so this position is on no long chain yet;
            // every member of the chain of its (stale) four bytes is older than it.
            const std::uint32_t back =
                static_cast<std::uint32_t>(pos) - s.longHead[LongKey(fourBytes)];
            link = back < kRingSize ? back : kNoLink;
        }
        for (;;) {
            if (link >= kRingSize || candidate < oldest + link) {
                break;
            }
            candidate -= link;
            const std::size_t cr = static_cast<std::size_t>(candidate & kRingMask);
            const State::Member m = s.member[cr];
            link = m.longLink;
            if (Load32(ring + cr) != fourBytes) {
                continue;  // another four bytes with the same key
            }
            if (static_cast<std::uint16_t>(ordinal - m.ordinal) > kMaxCandidates) {
                break;  // the weak chain's walk would have stopped before this member
            }
            if (consider(candidate, cr, kMaxMatch)) {
                break;
            }
        }
        // The fine chain, when the long one found no member sharing four bytes (then the
        // newest sharing three is the match) or was not used.
        const std::size_t enough = useLong ? kMinMatch : kMaxMatch;
        candidate = pos;
        link = bestLength < kMinMatch ? s.member[r].link : kNoLink;
        for (;;) {
            if (link >= kRingSize || candidate < oldest + link) {
                break;
            }
            candidate -= link;
            const std::size_t cr = static_cast<std::size_t>(candidate & kRingMask);
            const State::Member m = s.member[cr];
            if (static_cast<std::uint16_t>(ordinal - m.ordinal) > kMaxCandidates) {
                break;  // the weak chain's walk would have stopped before this member
            }
            if (consider(candidate, cr, enough)) {
                break;
            }
            link = m.link;
        }
        const std::size_t matchLength = std::min(bestLength, left);
        if (matchLength >= kMinMatch) {
            const auto distance = static_cast<std::uint32_t>(pos - bestPos);
            put(1u | static_cast<std::uint32_t>(matchLength - kMinMatch) << 1 | distance << 5,
                kMatchBits);
            off += matchLength;
            matched += matchLength;
        } else {
            put(static_cast<std::uint32_t>(ring[r]) << 1, kLiteralBits);
            ++off;
        }
    }

    bits_ = bits;
    bitCount_ = bitCount;
    linkLongNext_ = matched * 4 >= length;
    output_.resize(static_cast<std::size_t>(out - reinterpret_cast<std::uint8_t*>(output_.data())));
}

void Packer::FinishPiece() {
    if (fill_ > 0) {
        EncodeBlock();
        position_ += fill_;
        fill_ = 0;
    }
}

void Packer::Finish() {
    FinishPiece();
    bits_ |= static_cast<std::uint64_t>(1u | kEndCode << 1) << bitCount_;
    bitCount_ += kMatchBits;
    while (bitCount_ > 0) {
        output_.push_back(static_cast<char>(bits_ & 0xFF));
        bits_ >>= 8;
        bitCount_ = bitCount_ > 8 ? bitCount_ - 8 : 0;
    }
    bits_ = 0;
}

namespace {

// A Packer per thread for the one-call packings: its state is larger than most files, and
// a reset one costs far less than a new one.
Packer& ThreadPacker() {
    thread_local Packer packer;
    packer.Reset();
    return packer;
}

}  // namespace

std::string PackBytes(std::string_view bytes) {
    Packer& packer = ThreadPacker();
    packer.Add(bytes.data(), bytes.size());
    packer.Finish();
    std::string out = std::move(packer.output());
    packer.output().clear();
    return out;
}

PackStreamResult PackStream(platform::FileHandle& source, ByteSink& sink, std::uint64_t stopAbove) {
    PackStreamResult result;
    Packer& packer = ThreadPacker();
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
