#pragma once
// The packed form shared by the packer and the decoder.
//
// A stream of bits, taken from each byte starting with the least significant bit; an n-bit
// value is stored least significant bit first. Tokens follow without alignment:
//   0, then 8 bits            a literal byte
//   1, then 4 bits L, 13 bits D
//       L < 15                copy L + 3 bytes from D bytes back (1 <= D <= 8191; the source
//                             may overlap the bytes being produced)
//       L = 15                end of the stream (D is 0); the last byte is filled with zeros
// The unpacked length is not stored in the stream.

#include <cstddef>
#include <cstdint>

namespace nbx::packed {

inline constexpr std::size_t kBlockSize = 1024;
inline constexpr std::size_t kRingSize = 8192;
inline constexpr std::size_t kRingMask = kRingSize - 1;
inline constexpr std::size_t kHashSize = 1024;
inline constexpr std::size_t kMinMatch = 3;
inline constexpr std::size_t kMaxMatch = 17;
inline constexpr std::size_t kMaxDistance = 8191;
inline constexpr unsigned kMaxCandidates = 75;
inline constexpr unsigned kEndCode = 15;

inline constexpr unsigned kLiteralBits = 1 + 8;
inline constexpr unsigned kMatchBits = 1 + 4 + 13;

inline constexpr unsigned Hash(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2) {
    return ((b0 & 3u) << 8) ^ ((b1 & 0x3Fu) << 4) ^ b2;
}

// The largest unpacked length that packedLength bytes can describe: every 18 bits give at
// most 17 bytes. A recorded length above it is damage, caught before anything is allocated.
inline constexpr std::uint64_t MaxUnpackedLength(std::uint64_t packedLength) {
    return packedLength * 8 / kMatchBits * kMaxMatch + kMaxMatch;
}

}  // namespace nbx::packed
