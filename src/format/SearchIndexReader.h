#pragma once
// Reads a search index (layout in SearchIndexFormat.h) where it lies: Open reads the header
// and the page list; a term's record, postings and positions are read only when asked for,
// so the first search of a large book reads a few kilobytes.
//
// The index is not trusted. Every offset, length and count is checked against the section
// it lies in and the bytes that remain before it is used; a damaged index makes the call
// return false with a message, never a crash or an allocation beyond what the input holds.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/RandomAccessInput.h"
#include "format/SearchIndexFormat.h"

namespace nbx {

class SearchIndexReader {
public:
    struct Page {
        std::string name;  // the entry's name
        std::uint32_t titleWords = 0;
        std::uint32_t bodyWords = 0;
        std::uint32_t positions = 0;
    };
    struct Term {
        std::uint32_t pageCount = 0;
        std::uint32_t postingsOffset = 0;
        std::uint32_t postingsLength = 0;
        std::uint32_t positionsOffset = 0;
        std::uint32_t positionsLength = 0;
    };
    struct Posting {
        std::uint32_t page = 0;  // position in pages()
        std::uint32_t title = 0;
        std::uint32_t heading = 0;
        std::uint32_t body = 0;
        std::uint64_t occurrences() const { return std::uint64_t{title} + heading + body; }
    };

    // Takes the input and reads its header and pages. False with error() set when they are
    // not sound.
    bool Open(std::unique_ptr<RandomAccessInput> input);
    const std::string& error() const { return error_; }

    const std::vector<Page>& pages() const { return pages_; }
    std::uint32_t termCount() const { return termCount_; }

    // The term called name (lower-cased, as written) in term; nullopt there when the index
    // has no such term. False with error() set when a record on the way is damaged.
    bool FindTerm(std::string_view name, std::optional<Term>& term);
    // The term's postings, in ascending page order. False with error() set when damaged.
    bool ReadPostings(const Term& term, std::vector<Posting>& postings);
    // The positions of every occurrence in postings (as ReadPostings gave them for term):
    // starts[i] is where posting i's positions begin in values, each value position << 1 |
    // 1 for a heading. False with error() set when damaged.
    bool ReadPositions(const Term& term, const std::vector<Posting>& postings,
                       std::vector<std::uint32_t>& values, std::vector<std::size_t>& starts);

private:
    bool Fail(std::string message);
    bool ReadTermRecord(std::uint32_t index, std::string& name, Term& term);
    bool ReadSection(std::uint64_t offset, std::uint64_t length, std::string& bytes);

    std::unique_ptr<RandomAccessInput> input_;
    std::vector<Page> pages_;
    std::uint32_t termCount_ = 0;
    std::uint64_t termsAt_ = 0;      // the term records
    std::uint64_t termNamesAt_ = 0;  // and the sections after them, with their lengths
    std::uint32_t termNamesLength_ = 0;
    std::uint64_t postingsAt_ = 0;
    std::uint32_t postingsLength_ = 0;
    std::uint64_t positionsAt_ = 0;
    std::uint32_t positionsLength_ = 0;
    std::string error_;
};

}  // namespace nbx
