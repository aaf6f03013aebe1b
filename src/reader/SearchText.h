#pragma once
// How text is cut into search terms: the same for a page when its index is made and for a
// query, so that they meet.
//
// A word is a run of letters and digits; every character beyond ASCII counts as a letter but
// the punctuation, symbols and spaces of Latin-1, of U+2000 to U+2BFF and of U+3000 to
// U+303F. Letter case does not count (ASCII and Latin-1 letters). Words joined by "_", "."
// or "::" form an identifier (CONFIG_NAME, os.path.join, std::vector), a term of its own as
// well as its words.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "format/SearchIndexWriter.h"
#include "reader/HtmlText.h"

namespace nbx::reader {

enum class TermKind : std::uint8_t {
    Word,
    Identifier,  // spans its words, which follow it as Parts
    Part,
};

struct SearchTerm {
    std::string_view text;
    TermKind kind = TermKind::Word;
    std::uint32_t position = 0;      // a word's number; an identifier has its first word's
    std::uint32_t span = 1;          // the words an identifier joins; 1 otherwise
    SearchIndexWriter::TermKey key;  // SearchIndexWriter::KeyOf(text)
};

// text with its ASCII and Latin-1 capital letters made small, in place.
void LowerSearchText(std::string& text);

namespace detail {

// The bytes that make words alone: small ASCII letters and digits.
inline constexpr struct WordBytes {
    bool is[256] = {};
    constexpr WordBytes() {
        for (int c = 'a'; c <= 'z'; ++c) {
            is[c] = true;
        }
        for (int c = '0'; c <= '9'; ++c) {
            is[c] = true;
        }
    }
} kWordBytes;

// The high bit of each byte of chunk set where that byte is a small ASCII letter or a digit.
// Sums of 7-bit values stay within their byte, so each compares alone.
[[gnu::always_inline]] inline std::uint64_t WordByteMask(std::uint64_t chunk) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHighs = kOnes * 0x80;
    const std::uint64_t low = chunk & ~kHighs;
    const std::uint64_t fromA = low + kOnes * (0x80 - 'a'), pastZ = low + kOnes * (0x80 - 'z' - 1);
    const std::uint64_t from0 = low + kOnes * (0x80 - '0'), past9 = low + kOnes * (0x80 - '9' - 1);
    return ((fromA & ~pastZ) | (from0 & ~past9)) & ~chunk & kHighs;
}

// One bit for each byte of chunk that is not a small ASCII letter or a digit, byte k's at bit k.
[[gnu::always_inline]] inline unsigned StopBits(std::uint64_t chunk) {
    const std::uint64_t stops = ~WordByteMask(chunk) & 0x8080808080808080ull;
    // The high bits moved to bits 0 to 7 of the top byte by one multiplication.
    return static_cast<unsigned>(((stops >> 7) * 0x0102040810204080ull) >> 56);
}

// One bit for each of the sixteen bytes at p that is not a small ASCII letter or a digit, byte
// k's at bit k: by StopBits, eight bytes at a time.
[[gnu::always_inline]] inline unsigned StopBits16Portable(const char* p) {
    std::uint64_t first, second;
    std::memcpy(&first, p, 8);
    std::memcpy(&second, p + 8, 8);
    return StopBits(first) | StopBits(second) << 8;
}

// The same, in one SSE2 register where the processor has them (every x86-64 one).
[[gnu::always_inline]] inline unsigned StopBits16(const char* p) {
#if defined(__SSE2__)
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    // A byte in [low, low + count) moved to the bottom of the signed range, where one signed
    // comparison finds it.
    const auto inRange = [&](char low, int count) {
        const __m128i moved = _mm_add_epi8(bytes, _mm_set1_epi8(static_cast<char>(0x80 - low)));
        return _mm_cmplt_epi8(moved, _mm_set1_epi8(static_cast<char>(0x80 + count)));
    };
    const __m128i word = _mm_or_si128(inRange('a', 26), inRange('0', 10));
    return ~static_cast<unsigned>(_mm_movemask_epi8(word)) & 0xFFFF;
#else
    return StopBits16Portable(p);
#endif
}

// The low bytes of chunk, of which there are 0 to 8; the rest made zero.
[[gnu::always_inline]] inline std::uint64_t LowBytes(std::uint64_t chunk, unsigned bytes) {
    static constexpr std::uint64_t kMasks[9] = {0,
                                                0xFF,
                                                0xFFFF,
                                                0xFFFFFF,
                                                0xFFFFFFFF,
                                                0xFFFFFFFFFFull,
                                                0xFFFFFFFFFFFFull,
                                                0xFFFFFFFFFFFFFFull,
                                                ~std::uint64_t{0}};
    return chunk & kMasks[bytes];
}

// The end of the run of word bytes at text[at], and its key as KeyOf has it: sixteen bytes at a
// time where the text lasts so long (little-endian machines), with no branch on the length of
// a word shorter than that.
[[gnu::always_inline]] inline std::size_t WordBytesEnd(std::string_view text, std::size_t at,
                                                       SearchIndexWriter::TermKey& key) {
    const std::size_t n = text.size();
    if constexpr (std::endian::native == std::endian::little) {
        if (at + 16 <= n) {
            std::uint64_t first, second;
            std::memcpy(&first, text.data() + at, 8);
            std::memcpy(&second, text.data() + at + 8, 8);
            // Bit 16 stands for a stop past the two chunks: the count never meets a zero.
            const unsigned stops = StopBits16(text.data() + at) | 1u << 16;
            const auto length = static_cast<unsigned>(__builtin_ctz(stops));
            const unsigned headBytes = length < 8 ? length : 8;
            key.head = LowBytes(first, headBytes);
            key.tail = LowBytes(second, length - headBytes);  // 16 bytes at most in all
            if (length < 16) {
                return at + length;
            }
            // A longer word goes on eight bytes at a time, as far as the text allows.
            std::size_t end = at + 16;
            for (; end + 8 <= n; end += 8) {
                std::uint64_t chunk;
                std::memcpy(&chunk, text.data() + end, 8);
                if (const unsigned more = StopBits(chunk)) {
                    return end + static_cast<std::size_t>(__builtin_ctz(more));
                }
            }
            while (end < n && kWordBytes.is[static_cast<unsigned char>(text[end])]) {
                ++end;
            }
            return end;
        }
    }
    std::size_t end = at + 1;
    while (end < n && kWordBytes.is[static_cast<unsigned char>(text[end])]) {
        ++end;
    }
    key = SearchIndexWriter::KeyOf(text.substr(at, end - at));
    return end;
}

// What begins at text[at] when it is not a plain ASCII word: a run of words, underscores and
// joints (its terms appended to terms, numbered from position on) or a separator. Returns
// where it ends.
std::size_t CutRun(std::string_view text, std::size_t at, std::uint32_t& position,
                   std::vector<SearchTerm>& terms);

}  // namespace detail

// Calls visit(const SearchTerm&) for each term of lower-cased text (views into text), in
// order, numbering its words from first. Returns the number after its last word.
template <class Visit>
std::uint32_t ForEachSearchTerm(std::string_view text, std::uint32_t first, Visit&& visit) {
    std::uint32_t position = first;
    std::vector<SearchTerm> run;
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (detail::kWordBytes.is[c]) {
            // Most words are ASCII letters and digits followed by a space or punctuation.
            SearchIndexWriter::TermKey key;
            const std::size_t end = detail::WordBytesEnd(text, i, key);
            const auto next = end < n ? static_cast<unsigned char>(text[end]) : ' ';
            if (next < 0x80 && next != '_' && next != '.' && next != ':') {
                visit(SearchTerm{text.substr(i, end - i), TermKind::Word, position++, 1, key});
                i = end + 1;
                continue;
            }
        } else if (c < 0x80 && c != '_') {
            ++i;
            continue;
        }
        run.clear();
        i = detail::CutRun(text, i, position, run);
        for (const SearchTerm& t : run) {
            visit(t);
        }
    }
    return position;
}

// Appends the terms of lower-cased text to terms, as ForEachSearchTerm gives them.
std::uint32_t CutSearchTerms(std::string_view text, std::uint32_t first,
                             std::vector<SearchTerm>& terms);

// Adds a page to writer: its title (character references decoded) as the title, its keywords
// and the text of its headings as headings, and the rest of what a reader sees as its body.
// text is room for the page's text, kept from one page to the next.
void AddSearchPage(SearchIndexWriter& writer, std::string_view name, std::string_view title,
                   std::string_view keywords, std::string_view html, PageText& text);

// One thing a query asks for: a word, an identifier, or a phrase (words in double quotes)
// whose terms must follow each other.
struct QueryItem {
    struct Term {
        std::string text;
        std::uint32_t offset = 0;  // word positions after the item's first word
    };
    std::vector<Term> terms;
    std::uint32_t span = 1;  // the words the item covers

    bool operator==(const QueryItem& other) const;
};

// The items of a query: each word and identifier outside double quotes (straight or curly),
// and each phrase inside them; an item asked twice is kept once. Empty when the query holds no
// word.
std::vector<QueryItem> ParseSearchQuery(std::string_view query);

// The item as the page helper marks it: its terms, separated by spaces.
std::string ItemMarkText(const QueryItem& item);

}  // namespace nbx::reader
