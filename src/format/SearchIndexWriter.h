#pragma once
// Writes a search index (layout in SearchIndexFormat.h) from the words of pages given one
// page at a time. It holds the whole index in memory until Finish: about the size of the
// index, a fraction of the pages' text.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "format/SearchIndexFormat.h"

namespace nbx {

class SearchIndexWriter {
public:
    // Starts the next page, called name (an entry name). REQUIRES: no page is open (Finish
    // with a page open leaves its words out of its postings).
    void BeginPage(std::string_view name);
    // One occurrence of term (lower-cased, at most kMaxTermLength bytes; longer or empty terms
    // are left out) at position in the open page. A term's positions must rise within a page;
    // one that does not is left out.
    void Add(std::string_view term, std::uint32_t position, searchindex::Field field);
    // Ends the open page: its title's word count (the title holds positions below it), its
    // body's, and the positions it used in all.
    void EndPage(std::uint32_t titleWords, std::uint32_t bodyWords, std::uint32_t positions);

    std::size_t pageCount() const { return pages_.size(); }

    // The index's bytes, or false when a section would pass what a 32-bit offset addresses
    // (the pages then stay without an index). The writer is empty afterwards.
    bool Finish(std::string& bytes);

private:
    struct Term {
        std::string name;
        std::uint64_t hash = 0;
        std::string postings;
        std::string positions;
        std::uint32_t pages = 0;
        std::uint32_t lastPage = 0;  // the page of the last posting, when pages > 0
        // On the open page: its occurrences in each field, and the last position written.
        std::uint32_t counts[3] = {0, 0, 0};
        std::uint32_t lastValue = 0;
        bool onPage = false;
    };
    struct Page {
        std::string name;
        std::uint32_t titleWords = 0;
        std::uint32_t bodyWords = 0;
        std::uint32_t positions = 0;
    };
    static constexpr std::uint32_t kNoTerm = 0xFFFFFFFF;
    static constexpr std::size_t kFirstSlots = 4096;
    struct Slot {
        std::uint32_t id = kNoTerm;
        std::uint32_t check = 0;  // the high half of the term's hash
    };

    std::uint32_t TermId(std::string_view term);

    std::vector<Term> terms_;
    // Open addressing over the term numbers; at most half full.
    std::vector<Slot> table_ = std::vector<Slot>(kFirstSlots);
    std::vector<std::uint32_t> onPage_;  // the terms of the open page
    std::vector<Page> pages_;
    bool pageOpen_ = false;
};

}  // namespace nbx
