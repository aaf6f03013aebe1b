#pragma once
// Full-text search over the searchable pages of a book. Pages are added once; the index maps
// each word to the pages that hold it, so a search costs the postings of its words only.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace nbx::reader {

struct SearchHit {
    std::size_t page = 0;  // the id given to AddPage
    int percent = 0;       // relevance against the best hit, 1-100
    double score = 0;
};

class SearchIndex {
public:
    // Indexes the page's title (weighted above the body) and the visible text of its HTML.
    void AddPage(std::size_t id, std::string_view title, std::string_view html);

    // Pages holding every word of the query, best first; when no page holds them all, pages
    // holding any of them, ranked by how many they hold. Empty for a query without words.
    std::vector<SearchHit> Search(std::string_view query) const;

    std::size_t pageCount() const { return pageCount_; }

private:
    struct Posting {
        std::size_t page;
        float weight;
    };
    std::unordered_map<std::string, std::vector<Posting>> postings_;
    std::size_t pageCount_ = 0;
};

}  // namespace nbx::reader
