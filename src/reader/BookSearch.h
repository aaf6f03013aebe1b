#pragma once
// Full-text search over a book's searchable pages. A book carries the index of its pages
// (the entry "__search.idx"), which the first search opens where it lies. The pages that
// index leaves out (pages whose variables the reader fills in), or every page of a book
// without one or with a damaged one, are indexed on first use, a few pages at a time.

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

    // Opens the book's index on the first call, then indexes up to count more of the pages it
    // leaves out (pages marked for the preprocessor are indexed as shown). A page whose data
    // is damaged is left out. True once every searchable page is in.
    bool IndexMore(std::size_t count, const ReaderContext& context);
    bool ready() const { return opened_ && next_ == toIndex_.size() && !maker_.pageCount(); }
    // Whether the book's own index is in use.
    bool carriedIndex() const { return carried_; }
    std::size_t pagesToIndex() const { return toIndex_.size(); }
    std::size_t indexedPages() const { return next_; }
    std::size_t searchablePages() const { return pages_.size(); }

    // The pages holding every item of the query, best first, with their relevance; indexes
    // what is left first. When the book's index turns out damaged, it is put aside and the
    // pages are indexed instead.
    std::vector<SearchResultRow> Search(std::string_view query, const ReaderContext& context);

private:
    void Open();
    void IndexAll(const ReaderContext& context);

    ReaderBook& book_;
    std::vector<std::size_t> pages_;  // the searchable pages, in reading order
    std::vector<std::size_t> rank_;   // reading-order position of each entry
    bool opened_ = false;
    bool carried_ = false;
    std::vector<std::size_t> toIndex_;  // the pages no index holds yet
    std::size_t next_ = 0;
    SearchIndexMaker maker_;
    std::vector<SearchIndex::Page> made_;  // the pages in maker_
    SearchIndex index_;
};

}  // namespace nbx::reader
