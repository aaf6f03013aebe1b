#include "reader/BookSearch.h"

#include <unordered_map>

#include "format/RecordFormat.h"

namespace nbx::reader {

BookSearch::BookSearch(ReaderBook& book) : book_(book), rank_(book.directory().size(), 0) {
    for (const std::size_t page : book.order().pages()) {
        rank_[page] = pages_.size();
        if (book.directory()[page].searchable != 0) {
            pages_.push_back(page);
        }
    }
}

void BookSearch::Open() {
    opened_ = true;
    const std::vector<DirectoryEntry>& directory = book_.directory();
    std::vector<bool> covered(directory.size(), false);
    for (std::size_t i = 0; i < directory.size() && !carried_; ++i) {
        if (directory[i].name != record::kSearchIndexEntryName) {
            continue;
        }
        SearchIndexReader index;
        if (!index.Open(book_.EntryInput(i))) {
            break;
        }
        // Each of its pages must be a searchable page of this book, once.
        std::unordered_map<std::string_view, std::size_t> searchable;
        for (const std::size_t page : pages_) {
            searchable.emplace(directory[page].name, page);
        }
        std::vector<SearchIndex::Page> pages;
        for (const SearchIndexReader::Page& p : index.pages()) {
            const auto at = searchable.find(p.name);
            if (at == searchable.end() || covered[at->second]) {
                break;
            }
            covered[at->second] = true;
            pages.push_back({at->second, rank_[at->second]});
        }
        if (pages.size() == index.pages().size() && index_.Add(std::move(index), pages)) {
            carried_ = true;
        } else {
            covered.assign(directory.size(), false);
        }
    }
    toIndex_.clear();
    for (const std::size_t page : pages_) {
        if (!covered[page]) {
            toIndex_.push_back(page);
        }
    }
    next_ = 0;
}

bool BookSearch::IndexMore(std::size_t count, const ReaderContext& context) {
    if (!opened_) {
        Open();
    }
    std::string html;
    for (; next_ < toIndex_.size() && count > 0; ++next_, --count) {
        const std::size_t entry = toIndex_[next_];
        if (!book_.ReadPage(entry, context, html)) {
            continue;
        }
        const DirectoryEntry& e = book_.directory()[entry];
        maker_.Add(e.name, e.title, e.keywords, html);
        made_.push_back({entry, rank_[entry]});
    }
    if (next_ == toIndex_.size() && maker_.pageCount() > 0) {
        SearchIndexReader index;
        if (maker_.Finish(index)) {
            index_.Add(std::move(index), std::move(made_));
        }
        made_.clear();
    }
    return ready();
}

void BookSearch::IndexAll(const ReaderContext& context) {
    while (!IndexMore(64, context)) {
    }
}

std::vector<SearchResultRow> BookSearch::Search(std::string_view query,
                                                const ReaderContext& context) {
    IndexAll(context);
    std::vector<SearchHit> hits;
    if (!index_.Search(query, hits) && carried_) {
        // The book's own index is damaged: the pages themselves, as in a book without one.
        index_ = SearchIndex();
        carried_ = false;
        toIndex_ = pages_;
        next_ = 0;
        made_.clear();
        IndexAll(context);
        index_.Search(query, hits);
    }
    std::vector<SearchResultRow> rows;
    rows.reserve(hits.size());
    for (const SearchHit& hit : hits) {
        rows.push_back({hit.page, hit.percent});
    }
    return rows;
}

}  // namespace nbx::reader
