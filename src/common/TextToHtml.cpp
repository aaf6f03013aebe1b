#include "common/TextToHtml.h"

#include <string_view>

namespace nbx {

namespace {

constexpr std::string_view kLineBreak = "<BR>";
constexpr std::string_view kNbsp = "&nbsp;";
constexpr std::size_t kTabWidth = 4;

// A run of spaces between two non-space characters (or an edge of the text).
void AppendSpaces(std::string& out, std::size_t count) {
    if (count == 1) {
        out += ' ';
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        out += kNbsp;
    }
}

}  // namespace

void ConvertTextToHtml(std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8 + 16);

    // Spaces are held back until the next character decides their fate: a line break drops
    // them, anything else writes them out.
    std::size_t pendingSpaces = 0;
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        const char c = text[i];
        switch (c) {
            case ' ':
                ++pendingSpaces;
                continue;
            case '\t':
                pendingSpaces += kTabWidth;
                continue;
            case '\r':
                if (i + 1 < size && text[i + 1] == '\n') {
                    ++i;
                }
                [[fallthrough]];
            case '\n':
                pendingSpaces = 0;
                out += kLineBreak;
                continue;
            default:
                break;
        }
        AppendSpaces(out, pendingSpaces);
        pendingSpaces = 0;
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
                break;
        }
    }
    AppendSpaces(out, pendingSpaces);
    text = std::move(out);
}

}  // namespace nbx
