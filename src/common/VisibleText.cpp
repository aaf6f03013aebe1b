#include "common/VisibleText.h"

#include <cstdint>
#include <cstdio>

namespace nbx {

namespace {

enum class Style { Terminal, TerminalKeepingLines, Json };

// The code point of a hidden character at text[i], written in UTF-8, and its length; 0 when
// there is none.
std::size_t HiddenCharacterAt(std::string_view text, std::size_t i, std::uint32_t& codePoint) {
    const auto at = [&text](std::size_t k) {
        return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u;
    };
    const auto continuation = [&at](std::size_t k) { return (at(k) & 0xC0u) == 0x80u; };
    std::size_t length = 0;
    if (at(i) >= 0xC2 && at(i) <= 0xDF && continuation(i + 1)) {
        codePoint = ((at(i) & 0x1Fu) << 6) | (at(i + 1) & 0x3Fu);
        length = 2;
    } else if (at(i) >= 0xE0 && at(i) <= 0xEF && continuation(i + 1) && continuation(i + 2)) {
        codePoint = ((at(i) & 0x0Fu) << 12) | ((at(i + 1) & 0x3Fu) << 6) | (at(i + 2) & 0x3Fu);
        length = 3;
    }
    return length != 0 && IsHiddenCharacter(codePoint) ? length : 0;
}

std::string Escaped(std::string_view text, Style style) {
    std::string out;
    out.reserve(text.size());
    char hex[8];
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::uint32_t codePoint = 0;
        if (style == Style::Json && c < 0x20) {
            out += static_cast<char>(c);  // the serializer's own layout or escapes
        } else if (style == Style::TerminalKeepingLines && (c == '\n' || c == '\t')) {
            out += static_cast<char>(c);
        } else if (c == '\n' || c == '\r' || c == '\t') {
            out += c == '\n' ? "\\n" : c == '\r' ? "\\r" : "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            std::snprintf(hex, sizeof hex, style == Style::Json ? "\\u%04x" : "\\x%02x", c);
            out += hex;
        } else if (const std::size_t length = HiddenCharacterAt(text, i, codePoint)) {
            std::snprintf(hex, sizeof hex, "\\u%04x", static_cast<unsigned>(codePoint));
            out += hex;
            i += length - 1;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace

bool IsHiddenCharacter(std::uint32_t c) {
    return (c >= 0x80 && c <= 0x9F) || c == 0x00AD || c == 0x061C || c == 0x180E ||
           (c >= 0x200B && c <= 0x200F) || (c >= 0x2028 && c <= 0x202E) ||
           (c >= 0x2060 && c <= 0x206F) || c == 0xFEFF || (c >= 0xFFF9 && c <= 0xFFFB);
}

std::string WithVisibleControls(std::string_view text, LineBreaks lineBreaks) {
    return Escaped(text,
                   lineBreaks == LineBreaks::Keep ? Style::TerminalKeepingLines : Style::Terminal);
}

std::string JsonWithVisibleControls(std::string_view json) {
    return Escaped(json, Style::Json);
}

}  // namespace nbx
