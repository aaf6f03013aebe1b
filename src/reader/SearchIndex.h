#pragma once
// Ranked search over the search indexes of a book: the one the book carries and the one made
// for the pages it leaves out (or for every page of a book that carries none).
//
// A page is found when it holds every item of the query (each word, identifier and phrase).
// Pages are ranked by where the items lie and how often: a title that holds an item counts
// most, then headings and keywords, then the rest of the text (more often counts more, with
// less for each repetition and for long pages); rarer items weigh more; and a page whose
// title holds every item gains by the share of the title they cover, so the page titled by
// the searched name comes first. Equal scores keep reading order.

#include <cstddef>
#include <string_view>
#include <vector>

#include "format/SearchIndexReader.h"
#include "reader/SearchText.h"

namespace nbx::reader {

struct SearchHit {
    std::size_t page = 0;  // the page's entry
    int percent = 0;       // relevance against the best hit, 1-100
    double score = 0;
};

class SearchIndex {
public:
    struct Page {
        std::size_t entry = 0;  // the directory position
        std::size_t rank = 0;   // the position in reading order
    };

    // Adds an open index whose page i is pages[i]; false (nothing added) when the counts
    // differ.
    bool Add(SearchIndexReader index, std::vector<Page> pages);
    std::size_t partCount() const { return parts_.size(); }
    // Forgets the index added first (the one found damaged), keeping the others.
    void RemoveFirst();

    // The pages holding every item of the query, best first; empty for a query without
    // words. False, with hits empty and error() set, when an index turns out damaged on the
    // way; damagedPart() then says which (in the order added).
    bool Search(std::string_view query, std::vector<SearchHit>& hits);
    const std::string& error() const { return error_; }
    std::size_t damagedPart() const { return damagedPart_; }

private:
    struct Part {
        SearchIndexReader index;
        std::vector<Page> pages;
    };

    std::vector<Part> parts_;
    std::string error_;
    std::size_t damagedPart_ = 0;
};

// Builds an index of pages in memory, for a book's pages that its own index leaves out and
// for tests: Add each page, then Finish.
class SearchIndexMaker {
public:
    void Add(std::string_view name, std::string_view title, std::string_view keywords,
             std::string_view html) {
        AddSearchPage(writer_, name, title, keywords, html, text_);
    }
    std::size_t pageCount() const { return writer_.pageCount(); }
    // The index of the pages added so far, open; the maker is empty afterwards. False when it
    // cannot be made (a section past 4 GB).
    bool Finish(SearchIndexReader& index);

private:
    SearchIndexWriter writer_;
    PageText text_;
};

}  // namespace nbx::reader
