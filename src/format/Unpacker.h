#pragma once
// Decodes the packed form of format/PackedFormat.h. Damaged data is an error, never a crash:
// a distance that reaches before the start of the output, a token stream that ends without
// its end mark or goes on after it, or output longer or shorter than the recorded length.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace nbx {

// Decodes packed into out. expectedLength is the recorded unpacked length, or nullopt when
// none is recorded (the splash image); a recorded length that the packed bytes could never
// produce is refused before anything is allocated. On failure returns false with error set;
// out is then unspecified.
bool Unpack(std::string_view packed, std::optional<std::uint64_t> expectedLength, std::string& out,
            std::string& error);

// Gives the packed bytes in pieces: fills buffer with up to size of the next bytes and
// returns how many; 0 when they cannot be read.
using PackedSource = std::function<std::size_t(char* buffer, std::size_t size)>;

// Unpack of packedLength bytes taken from source a piece at a time, so that only the
// unpacked bytes are held whole.
bool Unpack(const PackedSource& source, std::uint64_t packedLength,
            std::optional<std::uint64_t> expectedLength, std::string& out, std::string& error);

}  // namespace nbx
