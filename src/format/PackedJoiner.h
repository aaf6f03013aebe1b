#pragma once
// Joins the pieces of one packed stream that Packers packed apart (Packer::Resume) into the
// stream one Packer would have written: the pieces' bits follow each other without regard to
// byte boundaries, and the end mark closes the last.

#include <cstdint>
#include <string>

#include "format/ByteSink.h"

namespace nbx {

class Packer;

// A piece of a packed stream: whole bytes, then a few bits that the next piece continues.
struct PackedPiece {
    std::string bytes;
    std::uint64_t tailBits = 0;  // the oldest bit lowest
    unsigned tailBitCount = 0;   // below 64
};

// What packer produced since the last call: its output (which is cleared) and its pending
// bits.
PackedPiece TakePiece(Packer& packer);

// Joins pieces, in input order, into one packed stream written to a sink, then ends it with
// the end mark. The bytes are those one Packer over the whole input writes.
class PackedJoiner {
public:
    explicit PackedJoiner(ByteSink& sink) : sink_(sink) {}
    bool Append(const PackedPiece& piece);
    // Writes the end mark and the last, zero-filled byte.
    bool Finish();
    // Bytes passed to the sink so far.
    std::uint64_t written() const { return written_; }

private:
    bool Put(std::uint64_t value, unsigned count);
    bool Drain();

    ByteSink& sink_;
    std::uint64_t bits_ = 0;
    unsigned bitCount_ = 0;
    std::string buffer_;
    std::uint64_t written_ = 0;
};

}  // namespace nbx
