#pragma once
// The reading order of a book: its HTML pages sorted by order key (empty keys last, equal
// keys in directory order), which Next and Previous walk, and the index page the reader
// opens on.

#include <cstddef>
#include <vector>

#include "format/DirectoryEntry.h"

namespace nbx::reader {

class PageOrder {
public:
    PageOrder() = default;
    explicit PageOrder(const std::vector<DirectoryEntry>& directory);

    // Directory positions of the pages, in reading order.
    const std::vector<std::size_t>& pages() const { return pages_; }

    // The page called index.htm or index.html (in any letter case), else the first page in
    // order; -1 when the book has no page.
    long IndexPage() const { return index_; }

    // The page after (before) entry, or -1 at the end (start) unless loop is set. From an
    // entry outside the order (-1 for a generated page) Next goes to the first page and
    // Previous to the last.
    long Next(long entry, bool loop) const;
    long Previous(long entry, bool loop) const;

    // The pages listed in the Table Of Contents, in order.
    std::vector<std::size_t> ContentsPages(const std::vector<DirectoryEntry>& directory) const;

private:
    long PositionOf(long entry) const;

    std::vector<std::size_t> pages_;
    long index_ = -1;
};

// The Contents button's list holds at most this many pages.
inline constexpr std::size_t kContentsPopupLimit = 20;

}  // namespace nbx::reader
