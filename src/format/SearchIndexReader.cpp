#include "format/SearchIndexReader.h"

#include <algorithm>

namespace nbx {

namespace {

using searchindex::GetVarint;
using searchindex::Le32;

constexpr std::uint64_t U(std::uint32_t v) {
    return v;
}

}  // namespace

bool SearchIndexReader::Fail(std::string message) {
    error_ = "damaged search index: " + std::move(message);
    return false;
}

bool SearchIndexReader::ReadSection(std::uint64_t offset, std::uint64_t length,
                                    std::string& bytes) {
    bytes.resize(static_cast<std::size_t>(length));
    return input_->ReadAt(offset, bytes.data(), bytes.size());
}

bool SearchIndexReader::Open(std::unique_ptr<RandomAccessInput> input) {
    input_ = std::move(input);
    pages_.clear();
    termCount_ = 0;
    error_.clear();
    if (!input_) {
        return Fail("no data");
    }
    const std::uint64_t size = input_->Size();
    std::string header;
    if (size < searchindex::kHeaderSize || !ReadSection(0, searchindex::kHeaderSize, header)) {
        return Fail("it is only " + std::to_string(size) + " bytes long");
    }
    if (header.compare(0, searchindex::kSignature.size(), searchindex::kSignature) != 0) {
        return Fail("no signature");
    }
    const std::uint32_t version = Le32(&header[8]);
    if (version != searchindex::kSearchIndexVersion) {
        return Fail("format version " + std::to_string(version) + "; only " +
                    std::to_string(searchindex::kSearchIndexVersion) + " can be read");
    }
    const std::uint32_t pageCount = Le32(&header[12]);
    const std::uint32_t termCount = Le32(&header[16]);
    const std::uint32_t pageNamesLength = Le32(&header[20]);
    termNamesLength_ = Le32(&header[24]);
    postingsLength_ = Le32(&header[28]);
    positionsLength_ = Le32(&header[32]);
    const std::uint64_t pagesAt = searchindex::kHeaderSize;
    termsAt_ = pagesAt + U(pageCount) * searchindex::kPageRecordSize;
    const std::uint64_t pageNamesAt = termsAt_ + U(termCount) * searchindex::kTermRecordSize;
    termNamesAt_ = pageNamesAt + pageNamesLength;
    postingsAt_ = termNamesAt_ + termNamesLength_;
    positionsAt_ = postingsAt_ + postingsLength_;
    if (positionsAt_ + positionsLength_ != size) {
        return Fail("its sections hold " + std::to_string(positionsAt_ + positionsLength_) +
                    " bytes, the index " + std::to_string(size));
    }
    std::string records, names;
    if (!ReadSection(pagesAt, termsAt_ - pagesAt, records) ||
        !ReadSection(pageNamesAt, pageNamesLength, names)) {
        return Fail("its pages cannot be read");
    }
    pages_.resize(pageCount);
    for (std::uint32_t i = 0; i < pageCount; ++i) {
        const char* r = records.data() + U(i) * searchindex::kPageRecordSize;
        const std::uint32_t nameAt = Le32(r), nameLength = Le32(r + 4);
        Page& p = pages_[i];
        p.titleWords = Le32(r + 8);
        p.bodyWords = Le32(r + 12);
        p.positions = Le32(r + 16);
        if (nameLength == 0 || nameLength > searchindex::kMaxPageNameLength ||
            U(nameAt) + nameLength > pageNamesLength || p.titleWords > p.positions ||
            p.bodyWords > p.positions) {
            pages_.clear();
            return Fail("page " + std::to_string(i) + " is out of bounds");
        }
        p.name.assign(names, nameAt, nameLength);
    }
    termCount_ = termCount;
    return true;
}

bool SearchIndexReader::ReadTermRecord(std::uint32_t index, std::string& name, Term& term) {
    std::string r;
    if (index >= termCount_ || !ReadSection(termsAt_ + U(index) * searchindex::kTermRecordSize,
                                            searchindex::kTermRecordSize, r)) {
        return Fail("term " + std::to_string(index) + " cannot be read");
    }
    const std::uint32_t nameAt = Le32(&r[0]), nameLength = Le32(&r[4]);
    term.pageCount = Le32(&r[8]);
    term.postingsOffset = Le32(&r[12]);
    term.postingsLength = Le32(&r[16]);
    term.positionsOffset = Le32(&r[20]);
    term.positionsLength = Le32(&r[24]);
    // Every posting takes two bytes at least, every position one.
    if (nameLength == 0 || nameLength > searchindex::kMaxTermLength ||
        U(nameAt) + nameLength > termNamesLength_ || term.pageCount == 0 ||
        term.pageCount > pages_.size() ||
        U(term.postingsOffset) + term.postingsLength > postingsLength_ ||
        U(term.positionsOffset) + term.positionsLength > positionsLength_ ||
        term.postingsLength / 2 < term.pageCount || term.positionsLength < term.pageCount) {
        return Fail("term " + std::to_string(index) + " is out of bounds");
    }
    if (!ReadSection(termNamesAt_ + nameAt, nameLength, name)) {
        return Fail("the name of term " + std::to_string(index) + " cannot be read");
    }
    return true;
}

bool SearchIndexReader::FindTerm(std::string_view name, std::optional<Term>& term) {
    term.reset();
    if (name.empty() || name.size() > searchindex::kMaxTermLength) {
        return true;
    }
    std::uint32_t low = 0, high = termCount_;
    std::string found;
    Term t;
    while (low < high) {
        const std::uint32_t middle = low + (high - low) / 2;
        if (!ReadTermRecord(middle, found, t)) {
            return false;
        }
        const int order = std::string_view(found).compare(name);
        if (order == 0) {
            term = t;
            return true;
        }
        if (order < 0) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return true;
}

bool SearchIndexReader::ReadPostings(const Term& term, std::vector<Posting>& postings) {
    postings.clear();
    std::string bytes;
    if (U(term.postingsOffset) + term.postingsLength > postingsLength_ ||
        term.pageCount > pages_.size() ||
        !ReadSection(postingsAt_ + term.postingsOffset, term.postingsLength, bytes)) {
        return Fail("postings out of bounds");
    }
    postings.reserve(term.pageCount);
    std::size_t at = 0;
    std::uint64_t page = 0;
    for (std::uint32_t i = 0; i < term.pageCount; ++i) {
        std::uint32_t gap = 0, counts = 0;
        Posting p;
        if (!GetVarint(bytes, at, gap) || !GetVarint(bytes, at, counts) ||
            ((counts & searchindex::kHasTitleCount) && !GetVarint(bytes, at, p.title)) ||
            ((counts & searchindex::kHasHeadingCount) && !GetVarint(bytes, at, p.heading))) {
            return Fail("a posting is cut short");
        }
        page = i == 0 ? gap : page + gap + 1;
        if (page >= pages_.size()) {
            return Fail("a posting names page " + std::to_string(page) + " of " +
                        std::to_string(pages_.size()));
        }
        p.page = static_cast<std::uint32_t>(page);
        p.body = counts >> 2;
        const Page& of = pages_[p.page];
        const std::uint64_t occurrences = U(p.title) + p.heading + p.body;
        if (occurrences == 0) {
            return Fail("a posting counts no word");
        }
        if (occurrences > of.positions || p.title > of.titleWords) {
            return Fail("a posting counts more words than its page holds");
        }
        postings.push_back(p);
    }
    if (at != bytes.size()) {
        return Fail("postings longer than their count");
    }
    return true;
}

bool SearchIndexReader::ReadPositions(const Term& term, const std::vector<Posting>& postings,
                                      std::vector<std::uint32_t>& values,
                                      std::vector<std::size_t>& starts) {
    values.clear();
    starts.clear();
    std::string bytes;
    if (U(term.positionsOffset) + term.positionsLength > positionsLength_ ||
        !ReadSection(positionsAt_ + term.positionsOffset, term.positionsLength, bytes)) {
        return Fail("positions out of bounds");
    }
    std::uint64_t total = 0;
    for (const Posting& p : postings) {
        if (p.page >= pages_.size()) {
            return Fail("a posting names no page");
        }
        total += p.occurrences();
    }
    if (total > bytes.size()) {
        return Fail("fewer positions than occurrences");
    }
    values.reserve(static_cast<std::size_t>(total));
    starts.reserve(postings.size());
    std::size_t at = 0;
    for (const Posting& p : postings) {
        starts.push_back(values.size());
        // Values are 32-bit: a page's last word numbers may not all have one.
        const std::uint64_t limit =
            std::min<std::uint64_t>(U(pages_[p.page].positions) << 1, std::uint64_t{1} << 32);
        std::uint64_t value = 0;
        for (std::uint64_t k = 0; k < p.occurrences(); ++k) {
            std::uint32_t delta = 0;
            if (!GetVarint(bytes, at, delta) || (k > 0 && delta == 0)) {
                return Fail("a position is cut short or repeated");
            }
            value += delta;
            if (value >= limit) {
                return Fail("a position lies past the end of its page");
            }
            values.push_back(static_cast<std::uint32_t>(value));
        }
    }
    return true;
}

}  // namespace nbx
