#pragma once
// The packer of entry data. Its packed form (see format/PackedFormat.h and the decoder in
// format/Unpacker.h) is a bit stream of literals and back-references of 3 to 17 bytes at
// distances up to 8191.
//
// The encoder is fixed, not just the format: the same input gives the same bytes in every
// implementation. Input is taken in 1024-byte blocks into an 8192-byte ring that starts
// zero-filled; every position of a block but its last two joins a hash chain before the block
// is encoded; while block k is encoded only positions of blocks k-7 to k are candidates; at
// most 75 candidates are examined per position, each compared for up to 17 bytes inside the
// ring; the longest (the newest on a tie) wins and is then cut to the bytes left in the block.
//
// Because block k depends only on blocks k-8 to k, a long input can be packed in pieces on
// several Packers at once: each piece but the first resumes with the eight blocks before it
// as history, and the pieces' bits joined in order (format/PackedJoiner.h) are the single
// Packer's.
//
// A Packer holds all its state, so separate Packers may run at the same time.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "format/ByteSink.h"
#include "platform/FileHandle.h"

namespace nbx {

class Packer {
public:
    Packer();
    ~Packer();
    Packer(const Packer&) = delete;
    Packer& operator=(const Packer&) = delete;

    // Starts a new packing: zero-filled ring, empty chains, no output.
    void Reset();
    // Starts packing the part of an input that begins at startPosition, so that what it
    // produces from there is what one Packer over the whole input would produce.
    // REQUIRES: startPosition is a multiple of the block size; history holds the
    // min(startPosition, ring size) input bytes just before it.
    void Resume(std::uint64_t startPosition, std::string_view history);
    // Packs the bytes that follow everything added since Reset(). Output appears in output()
    // as blocks complete.
    void Add(const void* data, std::size_t size);
    // Packs what is left, writes the end mark and fills the last byte with zero bits. Add()
    // must not be called again before Reset().
    void Finish();
    // Packs what is left without the end mark, for a piece that others follow or a joiner
    // ends. Add() must not be called again before Reset().
    void FinishPiece();

    // Bits produced but not yet in output(): pendingBitCount() of them, the oldest lowest.
    std::uint64_t pendingBits() const { return bits_; }
    unsigned pendingBitCount() const { return bitCount_; }

    // Packed bytes produced so far. The caller may consume and clear it between calls.
    std::string& output() { return output_; }
    // Every input byte added since Reset(); after Resume(), the position in the whole input.
    std::uint64_t inputSize() const { return position_ + fill_ - origin_; }

private:
    struct State;

    void ClearState(std::uint64_t origin);
    void PointHeadsNowhere();
    void LinkBlock();
    void EncodeBlock();

    std::unique_ptr<State> state_;
    std::string output_;
    bool headsCleared_ = false;
    // The long chain (see Packer.cpp): whether the next block is linked there, whether the
    // last block's last position awaits its link, blocks linked since the start and how many
    // of the latest were linked there.
    bool linkLongNext_ = true;
    bool longPending_ = false;
    std::size_t blocksLinked_ = 0;
    std::size_t longRun_ = 0;
    std::uint64_t origin_ = 0;    // position of the first input byte, a multiple of the ring
    std::uint64_t position_ = 0;  // position of the block being filled
    std::size_t fill_ = 0;        // bytes of that block received so far
    std::uint64_t bits_ = 0;      // pending output bits, the oldest in the low end
    unsigned bitCount_ = 0;
};

// The packed form of bytes.
std::string PackBytes(std::string_view bytes);

struct PackStreamResult {
    bool ok = false;               // every read and write succeeded and packing ran to the end
    bool tooLarge = false;         // stopped because the packed form passed stopAbove
    std::uint64_t inputSize = 0;   // bytes read from the source
    std::uint64_t packedSize = 0;  // bytes passed to the sink
};

// Packs the rest of `source` (from its current position) into `sink`. When the packed form
// would grow past stopAbove bytes, packing stops early with tooLarge set; bytes already
// passed to the sink stay there.
PackStreamResult PackStream(platform::FileHandle& source, ByteSink& sink,
                            std::uint64_t stopAbove = UINT64_MAX);

// Packs the file at sourcePath into a new file at targetPath. False when the source cannot be
// opened, the target cannot be created, or a read or write fails.
bool PackFile(const std::string& sourcePath, const std::string& targetPath);

}  // namespace nbx
