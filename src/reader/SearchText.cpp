#include "reader/SearchText.h"

#include <algorithm>
#include <cstring>

#include "platform/AsciiText.h"
#include "reader/HtmlText.h"

namespace nbx::reader {

namespace {

// The length of the separator character (punctuation, a symbol or a space beyond ASCII) at
// text[i], or 0 when none begins there.
std::size_t SeparatorLength(std::string_view text, std::size_t i) {
    const auto at = [&](std::size_t k) {
        return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0u;
    };
    const unsigned b0 = at(0), b1 = at(1), b2 = at(2);
    const bool tail1 = b1 >= 0x80 && b1 <= 0xBF, tail2 = b2 >= 0x80 && b2 <= 0xBF;
    switch (b0) {
        case 0xC2:  // U+0080..U+00BF but the letters ª, µ and º
            return tail1 && b1 != 0xAA && b1 != 0xB5 && b1 != 0xBA ? 2 : 0;
        case 0xC3:  // × and ÷
            return b1 == 0x97 || b1 == 0xB7 ? 2 : 0;
        case 0xE2:  // U+2000..U+2BFF
            return b1 >= 0x80 && b1 <= 0xAF && tail2 ? 3 : 0;
        case 0xE3:  // U+3000..U+303F
            return b1 == 0x80 && tail2 ? 3 : 0;
        case 0xEF:  // the byte order mark
            return b1 == 0xBB && b2 == 0xBF ? 3 : 0;
        default:
            return 0;
    }
}

bool IsWordAt(std::string_view text, std::size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    }
    return SeparatorLength(text, i) == 0;
}

bool IsRunAt(std::string_view text, std::size_t i) {
    return i < text.size() && (text[i] == '_' || IsWordAt(text, i));
}

// The length of an identifier's joint ("." or "::") at text[i] between two run bytes, or 0.
std::size_t JointLength(std::string_view text, std::size_t i) {
    const std::size_t length = text[i] == '.' ? 1 : text.substr(i, 2) == "::" ? 2 : 0;
    if (length == 0 || i == 0 || !IsRunAt(text, i - 1) || !IsRunAt(text, i + length)) {
        return 0;
    }
    return length;
}

}  // namespace

void LowerSearchText(std::string& text) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHighs = kOnes * 0x80;
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
#if defined(__SSE2__)
        // Sixteen ASCII bytes at once where there are SSE2 registers: 0x20 added to capitals.
        if (i + 16 <= n) {
            const __m128i chunk =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
            if (_mm_movemask_epi8(chunk) == 0) {
                const __m128i capitals =
                    _mm_and_si128(_mm_cmpgt_epi8(chunk, _mm_set1_epi8('A' - 1)),
                                  _mm_cmplt_epi8(chunk, _mm_set1_epi8('Z' + 1)));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(text.data() + i),
                                 _mm_or_si128(chunk, _mm_and_si128(capitals, _mm_set1_epi8(0x20))));
                i += 16;
                continue;
            }
        }
#endif
        // Eight ASCII bytes at once: the high bit of each capital's byte, moved to 0x20.
        if (i + 8 <= n) {
            std::uint64_t chunk;
            std::memcpy(&chunk, text.data() + i, 8);
            if ((chunk & kHighs) == 0) {
                const std::uint64_t capitals =
                    (chunk + kOnes * (0x80 - 'A')) & ~(chunk + kOnes * (0x80 - 'Z' - 1)) & kHighs;
                chunk |= capitals >> 2;
                std::memcpy(text.data() + i, &chunk, 8);
                i += 8;
                continue;
            }
        }
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            text[i] = ToLowerAscii(text[i]);
        } else if (c == 0xC3 && i + 1 < n) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97) {  // À..Þ but ×
                text[i + 1] = static_cast<char>(next + 0x20);
            }
            ++i;
        }
        ++i;
    }
}

std::size_t detail::CutRun(std::string_view text, std::size_t at, std::uint32_t& position,
                           std::vector<SearchTerm>& terms) {
    const std::size_t n = text.size();
    if (!IsRunAt(text, at)) {
        const std::size_t skip = SeparatorLength(text, at);
        return at + (skip > 0 ? skip : 1);
    }
    // One run of words, underscores and joints; its words are the parts.
    std::size_t i = at;
    const std::size_t partsAt = terms.size();
    std::size_t partStart = std::string_view::npos;
    auto endPart = [&](std::size_t end) {
        if (partStart != std::string_view::npos) {
            const std::string_view part = text.substr(partStart, end - partStart);
            terms.push_back({part, TermKind::Part, 0, 1, SearchIndexWriter::KeyOf(part)});
            partStart = std::string_view::npos;
        }
    };
    while (i < n) {
        if (text[i] == '_') {
            endPart(i);
            ++i;
        } else if (IsWordAt(text, i)) {
            if (partStart == std::string_view::npos) {
                partStart = i;
            }
            ++i;
        } else if (const std::size_t joint = JointLength(text, i)) {
            endPart(i);
            i += joint;
        } else {
            break;
        }
    }
    endPart(i);
    const std::size_t parts = terms.size() - partsAt;
    if (parts == 0) {
        return i;  // underscores alone
    }
    const std::string_view run = text.substr(at, i - at);
    if (parts == 1 && terms.back().text.size() == run.size()) {
        terms.back().kind = TermKind::Word;
        terms.back().position = position++;
        return i;
    }
    terms.insert(terms.begin() + static_cast<std::ptrdiff_t>(partsAt),
                 {run, TermKind::Identifier, position, static_cast<std::uint32_t>(parts),
                  SearchIndexWriter::KeyOf(run)});
    for (std::size_t k = 0; k < parts; ++k) {
        terms[partsAt + 1 + k].position = position++;
    }
    return i;
}

std::uint32_t CutSearchTerms(std::string_view text, std::uint32_t first,
                             std::vector<SearchTerm>& terms) {
    return ForEachSearchTerm(text, first, [&](const SearchTerm& t) { terms.push_back(t); });
}

void AddSearchPage(SearchIndexWriter& writer, std::string_view name, std::string_view title,
                   std::string_view keywords, std::string_view html, PageText& page) {
    using searchindex::Field;
    writer.BeginPage(name);
    auto add = [&](std::string text, std::uint32_t first, Field field) {
        LowerSearchText(text);
        return ForEachSearchTerm(text, first, [&](const SearchTerm& t) {
            writer.Add(t.text, t.key, t.position, field);
        });
    };
    // A word's gap between the fields keeps a phrase from running across them.
    const std::uint32_t titleWords = add(DecodeCharacterReferences(title), 0, Field::Title);
    const std::uint32_t bodyFirst =
        add(DecodeCharacterReferences(keywords), titleWords + 1, Field::Heading) + 1;

    VisibleText(html, page);
    LowerSearchText(page.text);
    // The field changes only where a heading begins or ends: one check a word until then.
    auto heading = page.headings.begin();
    bool inHeading = false;
    std::size_t change = heading != page.headings.end() ? heading->first : std::string::npos;
    const std::uint32_t end = ForEachSearchTerm(
        page.text, bodyFirst, [&](const SearchTerm& t) __attribute__((always_inline)) {
            const auto at = static_cast<std::size_t>(t.text.data() - page.text.data());
            if (at >= change) {
                while (heading != page.headings.end() && heading->second <= at) {
                    ++heading;
                }
                inHeading = heading != page.headings.end() && heading->first <= at;
                change = heading == page.headings.end() ? std::string::npos
                         : inHeading                    ? heading->second
                                                        : heading->first;
            }
            writer.Add(t.text, t.key, t.position, inHeading ? Field::Heading : Field::Body);
        });
    writer.EndPage(titleWords, end - bodyFirst, end);
}

bool QueryItem::operator==(const QueryItem& other) const {
    if (terms.size() != other.terms.size()) {
        return false;
    }
    for (std::size_t i = 0; i < terms.size(); ++i) {
        if (terms[i].text != other.terms[i].text || terms[i].offset != other.terms[i].offset) {
            return false;
        }
    }
    return true;
}

std::vector<QueryItem> ParseSearchQuery(std::string_view query) {
    // Curly quotes are quotes too.
    std::string text;
    text.reserve(query.size());
    for (std::size_t i = 0; i < query.size(); ++i) {
        const std::string_view rest = query.substr(i, 3);
        if (rest == "\u201C" || rest == "\u201D" || rest == "\u201E") {
            text += '"';
            i += 2;
        } else {
            text += query[i];
        }
    }
    LowerSearchText(text);
    std::vector<QueryItem> items;
    auto keep = [&](QueryItem item) {
        if (!item.terms.empty() && std::find(items.begin(), items.end(), item) == items.end()) {
            items.push_back(std::move(item));
        }
    };
    std::vector<SearchTerm> terms;
    bool quoted = false;
    std::size_t from = 0;
    while (from <= text.size()) {
        std::size_t quote = text.find('"', from);
        if (quote == std::string::npos) {
            quote = text.size();
        }
        terms.clear();
        CutSearchTerms(std::string_view(text).substr(from, quote - from), 0, terms);
        QueryItem phrase;
        for (const SearchTerm& t : terms) {
            if (t.kind == TermKind::Part) {
                continue;
            }
            if (quoted) {
                phrase.terms.push_back({std::string(t.text), t.position});
                phrase.span = t.position + t.span;
            } else {
                keep({{{std::string(t.text), 0}}, t.span});
            }
        }
        keep(std::move(phrase));
        quoted = !quoted;
        from = quote + 1;
    }
    return items;
}

std::string ItemMarkText(const QueryItem& item) {
    std::string text;
    for (const QueryItem::Term& t : item.terms) {
        if (!text.empty()) {
            text += ' ';
        }
        text += t.text;
    }
    return text;
}

}  // namespace nbx::reader
