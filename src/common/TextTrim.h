#pragma once
#include <string_view>

namespace nbx {

// text without the white space (blank, tab, line feed, carriage return, vertical tab, form
// feed) at its start and end. The result views text.
std::string_view TrimWhiteSpaceView(std::string_view text);

}  // namespace nbx
