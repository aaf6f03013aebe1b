#pragma once
// Full-text search over a book's searchable pages. The index is built on the first search,
// a few pages at a time so that the window stays responsive (and Stop can halt it) while a
// large book is read.

#include <cstddef>
#include <string_view>
#include <vector>

#include "reader/ReaderBook.h"
#include "reader/SearchIndex.h"
#include "reader/SystemPages.h"

namespace nbx::reader {

class BookSearch {
public:
    // The book must outlive this object.
    explicit BookSearch(ReaderBook& book);

    // Indexes up to count more pages (title and keywords weigh above the text; pages marked
    // for the preprocessor are indexed as shown). A page whose data is damaged is left out.
    // True once every searchable page is in.
    bool IndexMore(std::size_t count, const ReaderContext& context);
    bool ready() const { return next_ == pages_.size(); }
    std::size_t indexedPages() const { return next_; }
    std::size_t searchablePages() const { return pages_.size(); }

    // The pages holding the query's words, best first, with their relevance. REQUIRES: ready().
    std::vector<SearchResultRow> Search(std::string_view query) const;

private:
    ReaderBook& book_;
    std::vector<std::size_t> pages_;  // the searchable pages, in reading order
    std::size_t next_ = 0;
    SearchIndex index_;
};

}  // namespace nbx::reader
