#include "format/SearchIndexWriter.h"

#include "format/ByteSink.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace nbx {

namespace {

using searchindex::Field;
using searchindex::PutLe32;

constexpr std::uint64_t kMaxSection = std::numeric_limits<std::uint32_t>::max();

}  // namespace

char* SearchIndexWriter::BlockArena::Take(std::size_t size) {
    if (room_ < size) {
        // A small index (a few pages the reader indexes itself) keeps to its first slab.
        const std::size_t slab =
            std::max(size, slabs_.empty() ? platform::kLargePage / 8 : platform::kLargePage);
        platform::LargeMemory memory = platform::AllocateLargeMemory(slab);
        if (memory == nullptr) {
            throw std::bad_alloc();
        }
        at_ = memory.get();
        room_ = slab;
        slabs_.push_back(std::move(memory));
    }
    char* taken = at_;
    at_ += size;
    room_ -= size;
    return taken;
}

void SearchIndexWriter::VarintList::Grow(BlockArena& arena) {
    // Blocks double up to 64 KB: few for a long list, little room left over in a short one.
    constexpr std::size_t kFirstBlock = 16, kLargestBlock = 64 * 1024;
    std::size_t size = kFirstBlock;
    if (last_ != nullptr) {
        last_->used = static_cast<std::size_t>(at_ - Data(last_));
        before_ += last_->used;
        size = std::min(kLargestBlock, static_cast<std::size_t>(end_ - Data(last_)) * 2);
    }
    auto* block = new (arena.Take(sizeof(Block) + size)) Block;
    (last_ != nullptr ? last_->next : first_) = block;
    last_ = block;
    at_ = Data(block);
    end_ = at_ + size;
}

std::uint32_t SearchIndexWriter::FindTerm(std::string_view term, const TermKey& key,
                                          std::uint64_t hash) {
    const auto length = static_cast<std::uint32_t>(term.size());
    const std::size_t mask = table_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const Slot& s = table_[slot];
        if (s.id == kNoTerm) {
            return NewTerm(term, key, hash, slot);
        }
        if (SameKey(s, term, key) &&
            (length <= 16 ||
             std::memcmp(terms_[s.id].name.data() + 16, term.data() + 16, length - 16) == 0)) {
            return s.id;
        }
    }
}

std::uint32_t SearchIndexWriter::NewTerm(std::string_view term, const TermKey& key,
                                         std::uint64_t hash, std::size_t slot) {
    if ((terms_.size() + 1) * 2 > table_.size()) {
        std::vector<Slot> bigger(table_.size() * 2);
        table_.swap(bigger);
        const std::size_t mask = table_.size() - 1;
        for (const Slot& s : bigger) {
            if (s.id != kNoTerm) {
                std::size_t to = terms_[s.id].hash & mask;
                while (table_[to].id != kNoTerm) {
                    to = (to + 1) & mask;
                }
                table_[to] = s;
            }
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
    table_[slot] = {key, static_cast<std::uint32_t>(term.size()), id};
    onPage_.resize(terms_.size() + 1);
    return id;
}

void SearchIndexWriter::BeginPage(std::string_view name) {
    pages_.push_back({std::string(name), 0, 0, 0});
    pageOpen_ = true;
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
    for (std::size_t k = 0; k < onPageCount_; ++k) {
        Term& t = terms_[onPage_[k]];
        const std::uint32_t title = t.counts[static_cast<int>(Field::Title)];
        const std::uint32_t heading = t.counts[static_cast<int>(Field::Heading)];
        const std::uint32_t body = t.counts[static_cast<int>(Field::Body)];
        t.postings.Put(t.pages == 0 ? page : page - t.lastPage - 1, lists_);
        t.postings.Put(body << 2 | (title > 0 ? searchindex::kHasTitleCount : 0) |
                           (heading > 0 ? searchindex::kHasHeadingCount : 0),
                       lists_);
        if (title > 0) {
            t.postings.Put(title, lists_);
        }
        if (heading > 0) {
            t.postings.Put(heading, lists_);
        }
        ++t.pages;
        t.lastPage = page;
        t.onPage = false;
        t.lastValue = 0;
        t.counts[0] = t.counts[1] = t.counts[2] = 0;
    }
    onPageCount_ = 0;
}

std::uint64_t SearchIndexWriter::FinishedSize() const {
    std::uint64_t total = searchindex::kHeaderSize + pages_.size() * searchindex::kPageRecordSize +
                          terms_.size() * searchindex::kTermRecordSize;
    for (const Page& p : pages_) {
        total += p.name.size();
    }
    for (const Term& t : terms_) {
        total += t.name.size() + t.postings.size() + t.positions.size();
    }
    return total;
}

namespace {

// Gathers the many short pieces of an index into writes of some size, as each write to a file
// is a call to the system.
class Gatherer {
public:
    explicit Gatherer(ByteSink& out) : out_(out) { buffer_.reserve(kSize); }
    void Add(std::string_view bytes) {
        if (buffer_.size() + bytes.size() > kSize) {
            Flush();
        }
        if (bytes.size() > kSize) {
            ok_ = ok_ && out_.Write(bytes.data(), bytes.size());
        } else {
            buffer_ += bytes;
        }
    }
    void AddLe32(std::uint32_t value) {
        if (buffer_.size() + 4 > kSize) {
            Flush();
        }
        PutLe32(buffer_, value);
    }
    bool Flush() {
        ok_ = ok_ && out_.Write(buffer_.data(), buffer_.size());
        buffer_.clear();
        return ok_;
    }

private:
    static constexpr std::size_t kSize = 64 * 1024;
    ByteSink& out_;
    std::string buffer_;
    bool ok_ = true;
};

}  // namespace

bool SearchIndexWriter::Finish(ByteSink& out) {
    const std::uint64_t total = FinishedSize();
    std::vector<Term> terms;
    std::vector<Page> pages;
    BlockArena lists;
    terms.swap(terms_);
    std::swap(lists, lists_);
    pages.swap(pages_);
    table_.assign(kFirstSlots, Slot());
    onPage_.clear();
    onPageCount_ = 0;
    pageOpen_ = false;
    if (total > kMaxSection) {
        return false;
    }

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
    Gatherer bytes(out);
    bytes.Add(searchindex::kSignature);
    bytes.AddLe32(searchindex::kSearchIndexVersion);
    bytes.AddLe32(static_cast<std::uint32_t>(pages.size()));
    bytes.AddLe32(static_cast<std::uint32_t>(sorted.size()));
    bytes.AddLe32(static_cast<std::uint32_t>(pageNames));
    bytes.AddLe32(static_cast<std::uint32_t>(termNames));
    bytes.AddLe32(static_cast<std::uint32_t>(postings));
    bytes.AddLe32(static_cast<std::uint32_t>(positions));
    std::uint32_t at = 0;
    for (const Page& p : pages) {
        bytes.AddLe32(at);
        bytes.AddLe32(static_cast<std::uint32_t>(p.name.size()));
        bytes.AddLe32(p.titleWords);
        bytes.AddLe32(p.bodyWords);
        bytes.AddLe32(p.positions);
        at += static_cast<std::uint32_t>(p.name.size());
    }
    std::uint32_t nameAt = 0, postingsAt = 0, positionsAt = 0;
    for (const Term* t : sorted) {
        const auto nameSize = static_cast<std::uint32_t>(t->name.size());
        const auto postingsSize = static_cast<std::uint32_t>(t->postings.size());
        const auto positionsSize = static_cast<std::uint32_t>(t->positions.size());
        bytes.AddLe32(nameAt);
        bytes.AddLe32(nameSize);
        bytes.AddLe32(t->pages);
        bytes.AddLe32(postingsAt);
        bytes.AddLe32(postingsSize);
        bytes.AddLe32(positionsAt);
        bytes.AddLe32(positionsSize);
        nameAt += nameSize;
        postingsAt += postingsSize;
        positionsAt += positionsSize;
    }
    for (const Page& p : pages) {
        bytes.Add(p.name);
    }
    for (const Term* t : sorted) {
        bytes.Add(t->name);
    }
    for (const Term* t : sorted) {
        t->postings.ForEachPiece([&](std::string_view piece) { bytes.Add(piece); });
    }
    for (const Term* t : sorted) {
        t->positions.ForEachPiece([&](std::string_view piece) { bytes.Add(piece); });
    }
    return bytes.Flush();
}

bool SearchIndexWriter::Finish(std::string& bytes) {
    bytes.clear();
    const std::uint64_t total = FinishedSize();
    if (total <= kMaxSection) {
        bytes.reserve(static_cast<std::size_t>(total));
    }
    StringSink out(bytes);
    if (!Finish(out)) {
        bytes.clear();
        return false;
    }
    return true;
}

}  // namespace nbx
