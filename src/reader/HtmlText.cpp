#include "reader/HtmlText.h"

#include "common/Utf8.h"
#include "platform/AsciiText.h"

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace nbx::reader {

namespace {

// Decodes the reference starting at html[pos] == '&'; returns the characters consumed, or 0
// when it is not a reference (the '&' then stands for itself).
std::size_t DecodeReference(std::string_view html, std::size_t pos, std::string& out) {
    const std::size_t semi = html.find(';', pos);
    if (semi == std::string_view::npos || semi - pos > 10) {
        return 0;
    }
    const std::string_view body = html.substr(pos + 1, semi - pos - 1);
    if (body.size() >= 2 && body[0] == '#') {
        std::uint32_t cp = 0;
        const bool hex = body[1] == 'x' || body[1] == 'X';
        for (std::size_t i = hex ? 2 : 1; i < body.size(); ++i) {
            const char c = body[i];
            int digit = -1;
            if (c >= '0' && c <= '9') {
                digit = c - '0';
            } else if (hex && c >= 'a' && c <= 'f') {
                digit = c - 'a' + 10;
            } else if (hex && c >= 'A' && c <= 'F') {
                digit = c - 'A' + 10;
            }
            if (digit < 0) {
                return 0;
            }
            cp = cp * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
            if (cp > 0x10FFFF) {
                cp = 0x110000;  // stays invalid however many digits follow
            }
        }
        AppendUtf8(out, cp == 0 ? 0xFFFD : cp);  // "&#0;" is no character either
        return semi - pos + 1;
    }
    static const std::pair<std::string_view, std::uint32_t> kNamed[] = {
        {"amp", '&'},   {"lt", '<'},     {"gt", '>'},       {"quot", '"'},     {"apos", '\''},
        {"nbsp", ' '},  {"copy", 0xA9},  {"reg", 0xAE},     {"eacute", 0xE9},  {"egrave", 0xE8},
        {"auml", 0xE4}, {"ouml", 0xF6},  {"uuml", 0xFC},    {"Auml", 0xC4},    {"Ouml", 0xD6},
        {"Uuml", 0xDC}, {"szlig", 0xDF}, {"mdash", 0x2014}, {"ndash", 0x2013}, {"hellip", 0x2026},
    };
    for (const auto& [name, cp] : kNamed) {
        if (body == name) {
            AppendUtf8(out, cp);
            return semi - pos + 1;
        }
    }
    return 0;
}

}  // namespace

std::string DecodeCharacterReferences(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (text[pos] == '&') {
            if (const std::size_t used = DecodeReference(text, pos, out)) {
                pos += used - 1;
                continue;
            }
        }
        out += text[pos];
    }
    return out;
}

namespace {

// The heading tag at html[pos] == '<': 1 for "<h1".."<h6", -1 for "</h1".."</h6", else 0.
int HeadingTag(std::string_view html, std::size_t pos) {
    const bool closing = pos + 1 < html.size() && html[pos + 1] == '/';
    const std::size_t h = pos + (closing ? 2 : 1);
    if (h + 2 >= html.size() || (html[h] != 'h' && html[h] != 'H') || html[h + 1] < '1' ||
        html[h + 1] > '6') {
        return 0;
    }
    const char after = html[h + 2];
    if (after != '>' && after != ' ' && after != '\t' && after != '\n' && after != '\r' &&
        after != '/') {
        return 0;
    }
    return closing ? -1 : 1;
}

// The first '<' or '&' at or after html[at], or html's end: eight bytes at a time, as a page's
// text runs are copied whole up to them.
std::size_t TextRunEnd(std::string_view html, std::size_t at) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHighs = kOnes * 0x80;
    constexpr std::uint64_t kLows = kOnes * 0x7F;
    // The high bit of each zero byte of v, and of no other.
    const auto zeros = [](std::uint64_t v) { return ~(((v & kLows) + kLows) | v) & kHighs; };
    const std::size_t n = html.size();
#if defined(__SSE2__)
    // Sixteen bytes at a time where there are SSE2 registers, then eight.
    for (; at + 16 <= n; at += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(html.data() + at));
        const __m128i stops = _mm_or_si128(_mm_cmpeq_epi8(chunk, _mm_set1_epi8('<')),
                                           _mm_cmpeq_epi8(chunk, _mm_set1_epi8('&')));
        if (const int found = _mm_movemask_epi8(stops)) {
            return at + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(found)));
        }
    }
#endif
    if constexpr (std::endian::native == std::endian::little) {
        for (; at + 8 <= n; at += 8) {
            std::uint64_t chunk;
            std::memcpy(&chunk, html.data() + at, 8);
            const std::uint64_t stops = zeros(chunk ^ (kOnes * '<')) | zeros(chunk ^ (kOnes * '&'));
            if (stops != 0) {
                return at + static_cast<std::size_t>(__builtin_ctzll(stops) / 8);
            }
        }
    }
    while (at < n && html[at] != '<' && html[at] != '&') {
        ++at;
    }
    return at;
}

}  // namespace

PageText VisibleText(std::string_view html) {
    PageText page;
    VisibleText(html, page);
    return page;
}

void VisibleText(std::string_view html, PageText& page) {
    std::string& out = page.text;
    out.clear();
    page.headings.clear();
    out.reserve(html.size());
    int headingDepth = 0;
    std::size_t headingStart = 0;
    std::size_t pos = 0;
    while (pos < html.size()) {
        const char c = html[pos];
        if (c == '<') {
            if (StartsWithNoCaseAscii(html.substr(pos), "<!--")) {
                const std::size_t end = html.find("-->", pos + 4);
                pos = end == std::string_view::npos ? html.size() : end + 3;
                continue;
            }
            std::string_view skipTo;
            if (StartsWithNoCaseAscii(html.substr(pos), "<script")) {
                skipTo = "</script";
            } else if (StartsWithNoCaseAscii(html.substr(pos), "<style")) {
                skipTo = "</style";
            } else if (StartsWithNoCaseAscii(html.substr(pos), "<title")) {
                skipTo = "</title";
            }
            const int heading = HeadingTag(html, pos);
            const std::size_t end = html.find('>', pos);
            if (end == std::string_view::npos) {
                break;
            }
            pos = end + 1;
            if (!skipTo.empty()) {
                std::size_t close = pos;
                while (close < html.size() && !StartsWithNoCaseAscii(html.substr(close), skipTo)) {
                    close = html.find('<', close + 1);
                    if (close == std::string_view::npos) {
                        close = html.size();
                    }
                }
                pos = close;
            }
            out += ' ';  // a tag separates words
            if (heading > 0 && headingDepth++ == 0) {
                headingStart = out.size();
            } else if (heading < 0 && headingDepth > 0 && --headingDepth == 0) {
                page.headings.emplace_back(headingStart, out.size());
            }
            continue;
        }
        if (c == '&') {
            if (const std::size_t used = DecodeReference(html, pos, out)) {
                pos += used;
                continue;
            }
            out += c;
            ++pos;
            continue;
        }
        const std::size_t run = TextRunEnd(html, pos + 1);
        out.append(html.substr(pos, run - pos));
        pos = run;
    }
    if (headingDepth > 0) {
        page.headings.emplace_back(headingStart, out.size());
    }
}

std::string TypeStyleSheetLinks(std::string_view html) {
    std::string out;
    std::size_t pos = 0;
    while (true) {
        std::size_t tag = html.find('<', pos);
        while (tag != std::string_view::npos && !StartsWithNoCaseAscii(html.substr(tag), "<link")) {
            tag = html.find('<', tag + 1);
        }
        if (tag == std::string_view::npos) {
            break;
        }
        const std::size_t end = html.find('>', tag);
        if (end == std::string_view::npos) {
            break;
        }
        std::string lower(html.substr(tag, end - tag));
        for (char& c : lower) {
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c - 'A' + 'a');
            }
        }
        const std::size_t nameEnd = tag + 5;
        out.append(html.substr(pos, nameEnd - pos));
        if (lower.find("stylesheet") != std::string::npos &&
            lower.find("type") == std::string::npos) {
            out += " type=\"text/css\"";
        }
        pos = nameEnd;
    }
    out.append(html.substr(pos));
    return out;
}

}  // namespace nbx::reader
