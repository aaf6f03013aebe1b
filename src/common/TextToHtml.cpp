#include "common/TextToHtml.h"

#include <array>
#include <string_view>

namespace nbx {

namespace {

constexpr std::string_view kLineBreak = "<BR>";
constexpr std::string_view kNbsp = "&nbsp;";
constexpr std::size_t kTabWidth = 4;

// Bytes that are copied as they stand. Everything else (space, tab, CR, LF and the four
// HTML-special characters) needs a decision.
constexpr std::array<bool, 256> MakePlainTable() {
    std::array<bool, 256> plain{};
    for (auto& p : plain)
        p = true;
    for (unsigned char c : std::string_view(" \t\r\n&<>\""))
        plain[c] = false;
    return plain;
}
constexpr std::array<bool, 256> kPlain = MakePlainTable();

bool IsPlain(char c) {
    return kPlain[static_cast<unsigned char>(c)];
}

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
    out.reserve(text.size() + text.size() / 4 + 16);

    const char* p = text.data();
    const char* const end = p + text.size();
    // Spaces are held back until the next character decides their fate: a line break drops
    // them, anything else writes them out.
    std::size_t pendingSpaces = 0;
    while (p < end) {
        if (IsPlain(*p)) {
            AppendSpaces(out, pendingSpaces);
            pendingSpaces = 0;
            // Copy the whole stretch that stays as it is, lone spaces between words included.
            const char* const run = p;
            do {
                ++p;
            } while (p < end && (IsPlain(*p) || (*p == ' ' && p + 1 < end && IsPlain(p[1]))));
            out.append(run, static_cast<std::size_t>(p - run));
            continue;
        }
        const char c = *p++;
        switch (c) {
            case ' ':
                ++pendingSpaces;
                continue;
            case '\t':
                pendingSpaces += kTabWidth;
                continue;
            case '\r':
                if (p < end && *p == '\n') {
                    ++p;
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
        // Only the four characters with a reference are not plain.
        const char* reference = HtmlReference(c);
        out += reference != nullptr ? reference : std::string_view(&c, 1);
    }
    AppendSpaces(out, pendingSpaces);
    text = std::move(out);
}

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (const char* reference = HtmlReference(c)) {
            out += reference;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace nbx
