#include "common/VisibleText.h"

#include <cstdint>
#include <cstdio>

namespace nbx {

namespace {

enum class Style { Terminal, TerminalKeepingLines, Json };

// The code point of a C1 or direction character at text[i], written in UTF-8, and its
// length; 0 when there is none.
std::size_t HiddenCharacterAt(std::string_view text, std::size_t i, std::uint32_t& codePoint) {
    const auto at = [&text](std::size_t k) {
        return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u;
    };
    if (at(i) == 0xC2 && at(i + 1) >= 0x80 && at(i + 1) <= 0x9F) {
        codePoint = at(i + 1);
        return 2;
    }
    if (at(i) == 0xE2) {
        const unsigned second = at(i + 1);
        const unsigned third = at(i + 2);
        const bool embeddingOrOverride = second == 0x80 && third >= 0xAA && third <= 0xAE;
        const bool isolate = second == 0x81 && third >= 0xA6 && third <= 0xA9;
        if (embeddingOrOverride || isolate) {
            codePoint = 0x2000u | ((second & 0x3Fu) << 6) | (third & 0x3Fu);
            return 3;
        }
    }
    return 0;
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

std::string WithVisibleControls(std::string_view text, LineBreaks lineBreaks) {
    return Escaped(text,
                   lineBreaks == LineBreaks::Keep ? Style::TerminalKeepingLines : Style::Terminal);
}

std::string JsonWithVisibleControls(std::string_view json) {
    return Escaped(json, Style::Json);
}

}  // namespace nbx
