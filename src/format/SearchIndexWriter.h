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
    // A term's first sixteen bytes as two little-endian numbers, zero-padded: the key the
    // writer looks terms up by, which a word scanner reading sixteen bytes at a time has at
    // hand. A term longer than that compares its further bytes too.
    struct TermKey {
        std::uint64_t head = 0;  // bytes 0 to 7
        std::uint64_t tail = 0;  // bytes 8 to 15
    };
    static TermKey KeyOf(std::string_view term) {
        TermKey key;
        for (std::size_t i = 0; i < term.size() && i < 16; ++i) {
            const auto byte = static_cast<std::uint64_t>(static_cast<unsigned char>(term[i]));
            (i < 8 ? key.head : key.tail) |= byte << (8 * (i % 8));
        }
        return key;
    }

    // Starts the next page, called name (an entry name). REQUIRES: no page is open (Finish
    // with a page open leaves its words out of its postings).
    void BeginPage(std::string_view name);
    // One occurrence of term (lower-cased, at most kMaxTermLength bytes; longer or empty terms
    // are left out) at position in the open page. A term's positions must rise within a page;
    // one that does not is left out.
    void Add(std::string_view term, std::uint32_t position, searchindex::Field field) {
        Add(term, KeyOf(term), position, field);
    }
    // The same, with key == KeyOf(term).
    [[gnu::always_inline]] void Add(std::string_view term, const TermKey& key,
                                    std::uint32_t position, searchindex::Field field);
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
            // A local pointer: the bytes written could be anything to the compiler, at_ too.
            char* at = at_;
            if (value < 0x4000) {
                // Nearly every value: one byte or two, both written, with no branch on which.
                const auto two = static_cast<std::uint32_t>(value >= 0x80);
                at[0] = static_cast<char>((value & 0x7F) | two << 7);
                at[1] = static_cast<char>(value >> 7);
                at_ = at + 1 + two;
                return;
            }
            while (value >= 0x80) {
                *at++ = static_cast<char>((value & 0x7F) | 0x80);
                value >>= 7;
            }
            *at++ = static_cast<char>(value);
            at_ = at;
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
        // On the open page: the last position written, and the occurrences in each field;
        // EndPage sets them back to zero.
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
    // A term compares by its key and length here, without a visit to a far Term, but for the
    // bytes of a term longer than sixteen. 32 bytes, so that a slot's place is its number
    // shifted.
    struct alignas(32) Slot {
        TermKey key;
        std::uint32_t length = 0;
        std::uint32_t id = kNoTerm;
    };

    static std::uint64_t HashOf(std::string_view term, const TermKey& key) {
        constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
        std::uint64_t h = (term.size() * kMultiplier ^ key.head) * kMultiplier;
        h = (h ^ (h >> 32) ^ key.tail) * kMultiplier;
        if (term.size() > 16) {
            std::uint64_t rest = 0;
            for (std::size_t i = 16; i < term.size(); ++i) {
                rest = (rest << 8 | (rest >> 56)) ^ static_cast<unsigned char>(term[i]);
            }
            h = (h ^ (h >> 32) ^ rest) * kMultiplier;
        }
        return h ^ (h >> 29);
    }
    // Whether s holds term as far as a slot tells, by its key and length (an empty slot's
    // length, 0, is no term's): one test of the whole, as which part differs is anybody's guess.
    static bool SameKey(const Slot& s, std::string_view term, const TermKey& key) {
        return ((s.key.head ^ key.head) | (s.key.tail ^ key.tail) | (s.length ^ term.size())) == 0;
    }
    // Nearly every word is a known term in its first slot: that case alone is inline.
    [[gnu::always_inline]] std::uint32_t TermId(std::string_view term, const TermKey& key) {
        const std::uint64_t hash = HashOf(term, key);
        const Slot& s = table_[hash & (table_.size() - 1)];
        if (term.size() <= 16 && SameKey(s, term, key)) {
            return s.id;
        }
        return FindTerm(term, key, hash);
    }
    // The term's number, looked for from its first slot on, and made when it is new.
    std::uint32_t FindTerm(std::string_view term, const TermKey& key, std::uint64_t hash);
    std::uint32_t NewTerm(std::string_view term, const TermKey& key, std::uint64_t hash,
                          std::size_t slot);

    std::vector<Term> terms_;
    BlockArena lists_;  // of the terms' postings and positions
    // Open addressing over the term numbers; at most half full.
    std::vector<Slot> table_ = std::vector<Slot>(kFirstSlots);
    // The terms of the open page, onPage_[0, onPageCount_). Every word's term is stored at
    // onPage_[onPageCount_] and counted only when new to the page, with no branch on that: so
    // the list has room for every term and one more.
    std::vector<std::uint32_t> onPage_;
    std::size_t onPageCount_ = 0;
    std::vector<Page> pages_;
    bool pageOpen_ = false;
};

inline void SearchIndexWriter::Add(std::string_view term, const TermKey& key,
                                   std::uint32_t position, searchindex::Field field) {
    // A term empty (its size less one wraps) or too long, no page open, a position past the
    // last: none happens in the hot loop.
    if (term.size() - 1 >= searchindex::kMaxTermLength || !pageOpen_ || position > kMaxPosition) {
        return;
    }
    const std::uint32_t id = TermId(term, key);
    Term& t = terms_[id];
    const std::uint32_t value = position << 1 | (field == searchindex::Field::Heading ? 1u : 0u);
    // About one word in six is its term's first on the page, at random: no branch on that.
    const bool first = !t.onPage;
    // Positions nearly always rise, so the guess on the first test holds.
    if (value <= t.lastValue && !first) {
        return;
    }
    onPage_[onPageCount_] = id;
    onPageCount_ += first ? 1 : 0;
    t.onPage = true;
    t.positions.Put(value - t.lastValue, lists_);
    t.lastValue = value;
    ++t.counts[static_cast<int>(field)];
}

}  // namespace nbx
