#pragma once
// The search index an e-book carries as the entry "__search.idx": for each word of the
// searchable pages, the pages that hold it, how often (in the title, in headings and
// keywords, in the rest of the text) and where. docs/formats/search-index.md describes the
// layout; SearchIndexWriter writes it, SearchIndexReader reads it.
//
// Numbers are unsigned 32-bit little-endian unless called varints (7 bits a byte, least
// significant group first, the high bit set on every byte but the last; at most 5 bytes).
// Nothing is masked (the archive masks the entry as a whole).
//   offset  size  field
//   0       8     signature "NBXFINDX"
//   8       4     format version, kSearchIndexVersion
//   12      4     page count P
//   16      4     term count T
//   20      4     page names length
//   24      4     term names length
//   28      4     postings length
//   32      4     positions length
//   36      20 P  pages: name offset, name length (into page names), title words, body
//                 words, positions used
//   ...     28 T  terms, in ascending byte order of their names: name offset, name length
//                 (into term names), page count, postings offset, postings length,
//                 positions offset, positions length
//   then the page names, the term names, the postings and the positions, in that order;
//   the sections end where the entry ends.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace nbx::searchindex {

inline constexpr std::string_view kSignature = "NBXFINDX";
inline constexpr std::uint32_t kSearchIndexVersion = 1;
inline constexpr std::size_t kHeaderSize = 36;
inline constexpr std::size_t kPageRecordSize = 20;
inline constexpr std::size_t kTermRecordSize = 28;

// Terms longer than this are not indexed (nor found).
inline constexpr std::size_t kMaxTermLength = 128;
// A page name is an entry name; the directory allows no more.
inline constexpr std::size_t kMaxPageNameLength = 4096;

// Where an occurrence lies. A position's low bit in the positions section is 1 for Heading;
// a position below the page's title words is in the title.
enum class Field : std::uint8_t { Title, Heading, Body };

// The second varint of a posting: body count << 2 | 2 when a title count follows | 1 when a
// heading count follows.
inline constexpr std::uint32_t kHasTitleCount = 2;
inline constexpr std::uint32_t kHasHeadingCount = 1;

inline void PutLe32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

inline std::uint32_t Le32(const char* at) {
    const auto* b = reinterpret_cast<const unsigned char*>(at);
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

inline void PutVarint(std::string& out, std::uint32_t value) {
    while (value >= 0x80) {
        out += static_cast<char>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    out += static_cast<char>(value);
}

// Reads a varint at bytes[at], moving at past it. False (at unchanged) when the bytes end
// first or the value does not fit 32 bits.
inline bool GetVarint(std::string_view bytes, std::size_t& at, std::uint32_t& value) {
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < 5 && at + i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[at + i]);
        v |= static_cast<std::uint64_t>(b & 0x7F) << (7 * i);
        if ((b & 0x80) == 0) {
            if (v > 0xFFFFFFFFu) {
                return false;
            }
            value = static_cast<std::uint32_t>(v);
            at += i + 1;
            return true;
        }
    }
    return false;
}

}  // namespace nbx::searchindex
