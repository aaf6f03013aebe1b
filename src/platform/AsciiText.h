#pragma once
// Letter case and white space the way the program's 8-bit texts need them: only the ASCII
// letters change case, so bytes of other characters pass through untouched.

#include <string>
#include <string_view>

namespace nbx {

// Space, tab, carriage return, line feed, vertical tab and form feed.
inline constexpr std::string_view kAsciiWhiteSpace = " \t\r\n\v\f";

inline std::string ToUpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

inline std::string ToLowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// text without leading and trailing kAsciiWhiteSpace.
inline std::string_view TrimAsciiWhiteSpace(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kAsciiWhiteSpace);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kAsciiWhiteSpace) - first + 1);
}

}  // namespace nbx
