#pragma once
// Writes a search index (layout in SearchIndexFormat.h) from the words of pages given one
// page at a time. It holds the whole index in memory until Finish: about the size of the index,
// a fraction of the pages' text.
//
// Add runs for every word of every page, so its common case (a known term) stays in this
// header, where the word scanner's loop can take it in.

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "format/SearchIndexFormat.h"
#include "platform/LargeMemory.h"

namespace nbx {

class ByteSink;

class SearchIndexWriter {
public:
    // The term's first eight bytes as a little-endian number, zero-padded: the key the writer
    // looks terms up by, which a word scanner reading eight bytes at a time has at hand.
    static std::uint64_t TermHead(std::string_view term) {
        std::uint64_t head = 0;
        for (std::size_t i = 0; i < term.size() && i < 8; ++i) {
            head |= static_cast<std::uint64_t>(static_cast<unsigned char>(term[i])) << (8 * i);
        }
        return head;
    }

    // Starts the next page, called name (an entry name). REQUIRES: no page is open (Finish
    // with a page open leaves its words out of its postings).
    void BeginPage(std::string_view name);
    // One occurrence of term (lower-cased, at most kMaxTermLength bytes; longer or empty terms
    // are left out) at position in the open page. A term's positions must rise within a page;
    // one that does not is left out.
    void Add(std::string_view term, std::uint32_t position, searchindex::Field field) {
        Add(term, TermHead(term), position, field);
    }
    // The same, with head == TermHead(term).
    void Add(std::string_view term, std::uint64_t head, std::uint32_t position,
             searchindex::Field field);
    // Ends the open page: its title's word count (the title holds positions below it), its
    // body's, and the positions it used in all.
    void EndPage(std::uint32_t titleWords, std::uint32_t bodyWords, std::uint32_t positions);

    std::size_t pageCount() const { return pages_.size(); }

    // The size of the index Finish would write; one past 4 GB - 1 cannot be written (a 32-bit
    // offset would not address it).
    std::uint64_t FinishedSize() const;
    // Writes the index to out, in pieces, and empties the writer. False when it is too large
    // (nothing written) or a write fails. An index held whole in memory first would be fresh
    // memory as large again.
    bool Finish(ByteSink& out);
    // The index's bytes, or false when too large (the pages then stay without an index). The
    // writer is empty afterwards.
    bool Finish(std::string& bytes);

private:
    // Where the terms' lists grow: blocks cut from large slabs. A list then grows without a
    // copy, and fresh memory (a page fault every 4 KB) is touched about once per byte kept.
    class BlockArena {
    public:
        // size bytes, 8-aligned when size is a multiple of 8; they stay until the arena goes.
        char* Take(std::size_t size);

    private:
        std::vector<platform::LargeMemory> slabs_;
        char* at_ = nullptr;
        std::size_t room_ = 0;
    };
    // Varints in a chain of blocks, with one check each rather than one a byte: room for the
    // next one is kept ahead.
    class VarintList {
    public:
        void Put(std::uint32_t value, BlockArena& arena) {
            if (end_ - at_ < 5) {
                Grow(arena);
            }
            if (value < 0x4000) {
                // Nearly every value: one byte or two, both written, with no branch on which.
                const bool two = value >= 0x80;
                at_[0] = static_cast<char>((value & 0x7F) | (two ? 0x80 : 0));
                at_[1] = static_cast<char>(value >> 7);
                at_ += two ? 2 : 1;
                return;
            }
            while (value >= 0x80) {
                *at_++ = static_cast<char>((value & 0x7F) | 0x80);
                value >>= 7;
            }
            *at_++ = static_cast<char>(value);
        }
        std::uint64_t size() const {
            return last_ == nullptr ? 0 : before_ + static_cast<std::uint64_t>(at_ - Data(last_));
        }
        // Calls visit(std::string_view) for each piece of the list, in order.
        template <class Visit>
        void ForEachPiece(Visit&& visit) const {
            for (const Block* b = first_; b != nullptr; b = b->next) {
                const auto used = b == last_ ? static_cast<std::size_t>(at_ - Data(b)) : b->used;
                visit(std::string_view(Data(b), used));
            }
        }

    private:
        struct Block {
            Block* next = nullptr;
            std::size_t used = 0;  // but in the last block, where at_ tells
        };
        static char* Data(Block* b) { return reinterpret_cast<char*>(b) + sizeof(Block); }
        static const char* Data(const Block* b) {
            return reinterpret_cast<const char*>(b) + sizeof(Block);
        }
        void Grow(BlockArena& arena);

        Block* first_ = nullptr;
        Block* last_ = nullptr;
        char* at_ = nullptr;  // room in the last block: [at_, end_)
        char* end_ = nullptr;
        std::uint64_t before_ = 0;  // the bytes of the blocks before the last
    };
    struct Term {
        // On the open page: the last position written, and the occurrences in each field.
        std::uint32_t lastValue = 0;
        std::uint32_t counts[3] = {0, 0, 0};
        bool onPage = false;
        VarintList positions;
        std::uint32_t pages = 0;
        std::uint32_t lastPage = 0;  // the page of the last posting, when pages > 0
        std::uint64_t hash = 0;
        std::string name;
        VarintList postings;
    };
    struct Page {
        std::string name;
        std::uint32_t titleWords = 0;
        std::uint32_t bodyWords = 0;
        std::uint32_t positions = 0;
    };
    static constexpr std::uint32_t kNoTerm = 0xFFFFFFFF;
    static constexpr std::size_t kFirstSlots = 4096;
    static constexpr std::uint32_t kMaxPosition = 0x7FFFFFFF;  // leaves the heading bit room
    // A term compares by its head and length here, without a visit to a far Term, but for
    // the bytes of a term longer than eight.
    struct Slot {
        std::uint64_t head = 0;
        std::uint32_t length = 0;
        std::uint32_t id = kNoTerm;
    };

    static std::uint64_t HashOf(std::string_view term, std::uint64_t head) {
        constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
        std::uint64_t h = (term.size() * kMultiplier ^ head) * kMultiplier;
        if (term.size() > 8) {
            h ^= h >> 32;
            std::uint64_t tail = 0;
            for (std::size_t i = 8; i < term.size(); ++i) {
                tail = (tail << 8 | (tail >> 56)) ^ static_cast<unsigned char>(term[i]);
            }
            h = (h ^ tail) * kMultiplier;
        }
        return h ^ (h >> 29);
    }
    std::uint32_t TermId(std::string_view term, std::uint64_t head) {
        const std::uint64_t hash = HashOf(term, head);
        const auto length = static_cast<std::uint32_t>(term.size());
        const std::size_t mask = table_.size() - 1;
        for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            const Slot& s = table_[slot];
            if (s.id == kNoTerm) {
                return NewTerm(term, head, hash, slot);
            }
            if (s.head == head && s.length == length &&
                (length <= 8 ||
                 std::memcmp(terms_[s.id].name.data() + 8, term.data() + 8, length - 8) == 0)) {
                return s.id;
            }
        }
    }
    std::uint32_t NewTerm(std::string_view term, std::uint64_t head, std::uint64_t hash,
                          std::size_t slot);
    void FirstOnPage(Term& t);

    std::vector<Term> terms_;
    BlockArena lists_;  // of the terms' postings and positions
    // Open addressing over the term numbers; at most half full.
    std::vector<Slot> table_ = std::vector<Slot>(kFirstSlots);
    std::vector<std::uint32_t> onPage_;  // the terms of the open page
    std::vector<Page> pages_;
    bool pageOpen_ = false;
};

inline void SearchIndexWriter::Add(std::string_view term, std::uint64_t head,
                                   std::uint32_t position, searchindex::Field field) {
    if (term.empty() || term.size() > searchindex::kMaxTermLength || !pageOpen_ ||
        position > kMaxPosition) {
        return;
    }
    Term& t = terms_[TermId(term, head)];
    const std::uint32_t value = position << 1 | (field == searchindex::Field::Heading ? 1u : 0u);
    if (!t.onPage) {
        FirstOnPage(t);
    } else if (value <= t.lastValue) {
        return;
    }
    t.positions.Put(value - t.lastValue, lists_);
    t.lastValue = value;
    ++t.counts[static_cast<int>(field)];
}

}  // namespace nbx
