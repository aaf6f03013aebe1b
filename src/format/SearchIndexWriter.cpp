#include "format/SearchIndexWriter.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace nbx {

namespace {

using searchindex::Field;
using searchindex::PutLe32;
using searchindex::PutVarint;

// Eight bytes at a time: the writer looks up every word of every page.
std::uint64_t HashOf(std::string_view text) {
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    std::uint64_t h = text.size() * kMultiplier;
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t chunk;
        std::memcpy(&chunk, text.data() + at, 8);
        h = (h ^ chunk) * kMultiplier;
        h ^= h >> 32;
    }
    if (at < text.size()) {
        std::uint64_t chunk = 0;
        std::memcpy(&chunk, text.data() + at, text.size() - at);
        h = (h ^ chunk) * kMultiplier;
    }
    return h ^ (h >> 29);
}

constexpr std::uint64_t kMaxSection = std::numeric_limits<std::uint32_t>::max();

}  // namespace

std::uint32_t SearchIndexWriter::TermId(std::string_view term) {
    const std::uint64_t hash = HashOf(term);
    const auto check = static_cast<std::uint32_t>(hash >> 32);
    std::size_t mask = table_.size() - 1;
    std::size_t slot = hash & mask;
    for (; table_[slot].id != kNoTerm; slot = (slot + 1) & mask) {
        if (table_[slot].check == check && terms_[table_[slot].id].name == term) {
            return table_[slot].id;
        }
    }
    if ((terms_.size() + 1) * 2 > table_.size()) {
        std::vector<Slot> bigger(table_.size() * 2);
        table_.swap(bigger);
        mask = table_.size() - 1;
        for (std::uint32_t id = 0; id < terms_.size(); ++id) {
            std::size_t s = terms_[id].hash & mask;
            while (table_[s].id != kNoTerm) {
                s = (s + 1) & mask;
            }
            table_[s] = {id, static_cast<std::uint32_t>(terms_[id].hash >> 32)};
        }
        slot = hash & mask;
        while (table_[slot].id != kNoTerm) {
            slot = (slot + 1) & mask;
        }
    }
    const auto id = static_cast<std::uint32_t>(terms_.size());
    Term& t = terms_.emplace_back();
    t.name = term;
    t.hash = hash;
    table_[slot] = {id, check};
    return id;
}

void SearchIndexWriter::BeginPage(std::string_view name) {
    pages_.push_back({std::string(name), 0, 0, 0});
    pageOpen_ = true;
}

void SearchIndexWriter::Add(std::string_view term, std::uint32_t position, Field field) {
    if (term.empty() || term.size() > searchindex::kMaxTermLength || !pageOpen_ ||
        position > (kMaxSection >> 1)) {
        return;
    }
    Term& t = terms_[TermId(term)];
    const std::uint32_t value = position << 1 | (field == Field::Heading ? 1u : 0u);
    if (!t.onPage) {
        t.onPage = true;
        t.counts[0] = t.counts[1] = t.counts[2] = 0;
        t.lastValue = 0;
        onPage_.push_back(static_cast<std::uint32_t>(&t - terms_.data()));
    } else if (value <= t.lastValue) {
        return;
    }
    PutVarint(t.positions, value - t.lastValue);
    t.lastValue = value;
    ++t.counts[static_cast<int>(field)];
}

void SearchIndexWriter::EndPage(std::uint32_t titleWords, std::uint32_t bodyWords,
                                std::uint32_t positions) {
    if (!pageOpen_) {
        return;
    }
    pageOpen_ = false;
    const auto page = static_cast<std::uint32_t>(pages_.size() - 1);
    pages_.back().titleWords = titleWords;
    pages_.back().bodyWords = bodyWords;
    pages_.back().positions = positions;
    for (const std::uint32_t id : onPage_) {
        Term& t = terms_[id];
        const std::uint32_t title = t.counts[static_cast<int>(Field::Title)];
        const std::uint32_t heading = t.counts[static_cast<int>(Field::Heading)];
        const std::uint32_t body = t.counts[static_cast<int>(Field::Body)];
        PutVarint(t.postings, t.pages == 0 ? page : page - t.lastPage - 1);
        PutVarint(t.postings, body << 2 | (title > 0 ? searchindex::kHasTitleCount : 0) |
                                  (heading > 0 ? searchindex::kHasHeadingCount : 0));
        if (title > 0) {
            PutVarint(t.postings, title);
        }
        if (heading > 0) {
            PutVarint(t.postings, heading);
        }
        ++t.pages;
        t.lastPage = page;
        t.onPage = false;
    }
    onPage_.clear();
}

bool SearchIndexWriter::Finish(std::string& bytes) {
    std::vector<Term> terms;
    std::vector<Page> pages;
    terms.swap(terms_);
    pages.swap(pages_);
    table_.assign(kFirstSlots, Slot());
    onPage_.clear();
    pageOpen_ = false;
    bytes.clear();

    std::vector<const Term*> sorted;
    sorted.reserve(terms.size());
    for (const Term& t : terms) {
        sorted.push_back(&t);
    }
    std::sort(sorted.begin(), sorted.end(),
              [](const Term* a, const Term* b) { return a->name < b->name; });

    std::uint64_t pageNames = 0, termNames = 0, postings = 0, positions = 0;
    for (const Page& p : pages) {
        pageNames += p.name.size();
    }
    for (const Term* t : sorted) {
        termNames += t->name.size();
        postings += t->postings.size();
        positions += t->positions.size();
    }
    const std::uint64_t total =
        searchindex::kHeaderSize + pages.size() * searchindex::kPageRecordSize +
        sorted.size() * searchindex::kTermRecordSize + pageNames + termNames + postings + positions;
    if (total > kMaxSection) {
        return false;
    }
    bytes.reserve(static_cast<std::size_t>(total));
    bytes += searchindex::kSignature;
    PutLe32(bytes, searchindex::kSearchIndexVersion);
    PutLe32(bytes, static_cast<std::uint32_t>(pages.size()));
    PutLe32(bytes, static_cast<std::uint32_t>(sorted.size()));
    PutLe32(bytes, static_cast<std::uint32_t>(pageNames));
    PutLe32(bytes, static_cast<std::uint32_t>(termNames));
    PutLe32(bytes, static_cast<std::uint32_t>(postings));
    PutLe32(bytes, static_cast<std::uint32_t>(positions));
    std::uint32_t at = 0;
    for (const Page& p : pages) {
        PutLe32(bytes, at);
        PutLe32(bytes, static_cast<std::uint32_t>(p.name.size()));
        PutLe32(bytes, p.titleWords);
        PutLe32(bytes, p.bodyWords);
        PutLe32(bytes, p.positions);
        at += static_cast<std::uint32_t>(p.name.size());
    }
    std::uint32_t nameAt = 0, postingsAt = 0, positionsAt = 0;
    for (const Term* t : sorted) {
        PutLe32(bytes, nameAt);
        PutLe32(bytes, static_cast<std::uint32_t>(t->name.size()));
        PutLe32(bytes, t->pages);
        PutLe32(bytes, postingsAt);
        PutLe32(bytes, static_cast<std::uint32_t>(t->postings.size()));
        PutLe32(bytes, positionsAt);
        PutLe32(bytes, static_cast<std::uint32_t>(t->positions.size()));
        nameAt += static_cast<std::uint32_t>(t->name.size());
        postingsAt += static_cast<std::uint32_t>(t->postings.size());
        positionsAt += static_cast<std::uint32_t>(t->positions.size());
    }
    for (const Page& p : pages) {
        bytes += p.name;
    }
    for (const Term* t : sorted) {
        bytes += t->name;
    }
    for (const Term* t : sorted) {
        bytes += t->postings;
    }
    for (const Term* t : sorted) {
        bytes += t->positions;
    }
    return true;
}

}  // namespace nbx
