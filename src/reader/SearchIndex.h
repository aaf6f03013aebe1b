#pragma once
// Full-text search over the searchable pages of a book. Pages are added once; the index maps
// each word to the pages that hold it, so a search costs the postings of its words only.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
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
    static constexpr std::uint32_t kNoWord = 0xFFFFFFFF;

    // The number of a word (hash: HashOf(word)), made on first sight; kNoWord from FindWord
    // when it is unknown.
    std::uint32_t WordId(std::string_view word, std::uint64_t hash);
    std::uint32_t FindWord(std::string_view word, std::uint64_t hash) const;
    std::size_t SlotOf(std::string_view word, std::uint64_t hash) const;

    // Every word once, numbered in order of first sight, and the pages holding each.
    std::vector<std::string> words_;
    std::vector<std::uint64_t> hashes_;
    std::vector<std::vector<Posting>> postings_;
    // Open addressing over the word numbers (kNoWord: empty); at most half full.
    std::vector<std::uint32_t> table_ = std::vector<std::uint32_t>(4096, kNoWord);
    // The page being added: each word's count, and the words it has so far.
    std::vector<float> pageCounts_;
    std::vector<std::uint32_t> pageWords_;
    std::size_t pageCount_ = 0;
};

}  // namespace nbx::reader
