#pragma once
#include <cstdint>
#include <string>

namespace nbx {

// Appends the UTF-8 form of a code point; anything that is not a character (a
// surrogate, beyond U+10FFFF) becomes U+FFFD, so the text stays valid.
void AppendUtf8(std::string& out, std::uint32_t codePoint);

}  // namespace nbx
