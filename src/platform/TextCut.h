#pragma once
// Cutting text to a byte limit (a fixed buffer, a field of a file) without splitting a UTF-8
// character: half a character would read as a different name next time.

#include <cstddef>
#include <string>
#include <string_view>

namespace nbx::platform {

// Cuts text to at most limit bytes. A UTF-8 sequence that the cut would split goes whole;
// a byte of 0x80 or more that is not part of a whole sequence is taken to be an 8-bit
// character of older text and is cut like any other byte.
void CutToCharacterBoundary(std::string& text, std::size_t limit);

// text cut as above.
std::string CutToCharacterBoundary(std::string_view text, std::size_t limit);

}  // namespace nbx::platform
