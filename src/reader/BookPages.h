#pragma once
// What the page view shows for each address of a book (see BookLinks.h): the book's pages
// (preprocessed when marked), its pictures and text files wrapped in a page, the generated
// About, Contents and Search pages, and Page Not Found for the rest. The search index is
// made here on first use.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "reader/BookSearch.h"
#include "reader/ReaderBook.h"

namespace nbx::reader {

struct PageOutcome {
    std::string html;          // empty when the entry's data is damaged
    std::string damagedEntry;  // the name of that entry
    int found = -1;            // the number of search results; -1 when not a search
};

class BookPages {
public:
    // The book must outlive this object.
    explicit BookPages(ReaderBook& book);

    // The page at host ("page" or "system") and path (decoded, "/name"); query holds the
    // search words of a Search address that has them. A search finishes the index first
    // when it is not complete.
    PageOutcome Html(std::string_view host, std::string_view path,
                     const std::optional<std::string>& query, const ReaderContext& context);

    // The bytes of an entry a page uses (a picture, a style sheet), or nothing when the path
    // names none or its data is damaged.
    std::optional<std::string> Resource(std::string_view path);

    BookSearch& search() { return search_; }

private:
    std::string EntryHtml(long entry, std::string_view name, const ReaderContext& context,
                          PageOutcome& outcome);

    ReaderBook& book_;
    BookSearch search_;
};

}  // namespace nbx::reader
