#pragma once
// Letter case and white space the way the program's 8-bit texts need them: only the ASCII
// letters change case, so bytes of other characters pass through untouched.

#include <string>
#include <string_view>

namespace nbx {

// Space, tab, carriage return, line feed, vertical tab and form feed.
inline constexpr std::string_view kAsciiWhiteSpace = " \t\r\n\v\f";

inline char ToLowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string ToUpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

inline std::string ToLowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = ToLowerAscii(c);
    }
    return lower;
}

// True when a and b differ at most in the case of ASCII letters.
inline bool EqualsNoCaseAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ToLowerAscii(a[i]) != ToLowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

inline bool StartsWithNoCaseAscii(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCaseAscii(text.substr(0, prefix.size()), prefix);
}

inline bool EndsWithNoCaseAscii(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           EqualsNoCaseAscii(text.substr(text.size() - suffix.size()), suffix);
}

// text without the leading and trailing characters of `characters`.
inline std::string_view TrimAscii(std::string_view text,
                                  std::string_view characters = kAsciiWhiteSpace) {
    const std::size_t first = text.find_first_not_of(characters);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(characters) - first + 1);
}

// text without leading and trailing kAsciiWhiteSpace.
inline std::string_view TrimAsciiWhiteSpace(std::string_view text) {
    return TrimAscii(text);
}

}  // namespace nbx
