#pragma once
// The order in which a book's author linked its pages, for the compiler to store as the page
// order. A link finds its page as the reader finds it (FindLinkedEntry of the link resolved
// against the linking page's own address).

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

#include "format/DirectoryEntry.h"

namespace nbx::reader {

struct LinkOrder {
    // Directory positions of every page (an HTML entry the reader shows), in reading order.
    std::vector<std::size_t> pages;
    // How many of them, from the start, were reached from the start page.
    std::size_t reached = 0;
    // The page the order starts from; -1 when the directory holds no page.
    long start = -1;
};

// The start page is the one called index.htm or index.html at the root (any letter case),
// else the one of those names in the fewest folders, else the first page; of two, the one
// earlier in the directory. After each page comes the page its rel="next" link names, when
// it has one not yet placed; otherwise the next page of the link walk not yet placed. The
// walk goes depth-first in link order from the start page, and a page's own pages are those
// it links that no page earlier in the walk has linked: so a table of contents keeps its
// chapters in its order, and each chapter is followed by the sections it links, even when
// every page links every chapter in a bar of its own. Pages that neither reaches come last,
// ordered by name. readPage(position) gives a page's bytes, which may change at its next call;
// each page is read at most once, and only when the walk comes to it.
LinkOrder OrderPagesByLinks(const std::vector<DirectoryEntry>& directory,
                            const std::function<std::string_view(std::size_t)>& readPage);

}  // namespace nbx::reader
