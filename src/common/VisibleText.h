#pragma once
// Names and values from a book, made safe to print on a terminal: a control character
// (C0, DEL, or C1 written in UTF-8) could otherwise move the cursor, retitle the window or
// hide what came before.

#include <string>
#include <string_view>

namespace nbx {

// text with every control character written as an escape: \n, \r, \t, else \xHH for a byte
// and \u00HH for a C1 character in UTF-8. Everything else is kept as it is.
std::string WithVisibleControls(std::string_view text);

}  // namespace nbx
