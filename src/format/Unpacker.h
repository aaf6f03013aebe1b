#pragma once
// Decodes the packed form of build/PackedFormat.h. Damaged data is an error, never a crash:
// a distance that reaches before the start of the output, a token stream that ends without
// its end mark or goes on after it, or output longer or shorter than the recorded length.

#include <cstdint>
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

}  // namespace nbx
