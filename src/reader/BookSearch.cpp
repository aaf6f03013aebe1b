#include "reader/BookSearch.h"

#include "reader/HtmlText.h"

namespace nbx::reader {

BookSearch::BookSearch(ReaderBook& book) : book_(book) {
    for (const std::size_t page : book.order().pages()) {
        if (book.directory()[page].searchable != 0) {
            pages_.push_back(page);
        }
    }
}

bool BookSearch::IndexMore(std::size_t count, const ReaderContext& context) {
    std::string html;
    for (; next_ < pages_.size() && count > 0; ++next_, --count) {
        const std::size_t entry = pages_[next_];
        if (!book_.ReadPage(entry, context, html)) {
            continue;
        }
        const DirectoryEntry& e = book_.directory()[entry];
        index_.AddPage(entry, e.title + " " + e.keywords, html);
    }
    return ready();
}

std::vector<SearchResultRow> BookSearch::Search(std::string_view query) const {
    std::vector<SearchResultRow> rows;
    for (const SearchHit& hit : index_.Search(query)) {
        rows.push_back({hit.page, hit.percent});
    }
    return rows;
}

}  // namespace nbx::reader
