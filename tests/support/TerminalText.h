#pragma once
// What a terminal would obey in a program's output, for tests of texts that come from files.

#include <string>
#include <string_view>

namespace nbx::test {

// A text holding every kind of character a file could use against a terminal: a title
// change, a screen clear (C0 and C1 forms), DEL, a carriage return and a right-to-left override.
inline const std::string kHostileText =
    "a\x1b]0;owned\x07 b\x1b[2J c\xc2\x9b"
    "2J d\x7f e\rf \xe2\x80\xae"
    "fdp.sh";

// The first control or direction character in text other than a line break or a tab, as
// "byte 0x1b at 12"; empty when there is none.
std::string FirstRawControl(std::string_view text);

}  // namespace nbx::test
