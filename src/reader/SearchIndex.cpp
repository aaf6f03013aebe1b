#include "reader/SearchIndex.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace nbx::reader {

namespace {

// The weights of where an item lies, against at most about 2.2 for the body.
constexpr double kTitleWeight = 8.0;
constexpr double kHeadingWeight = 3.0;
constexpr double kTitleShareWeight = 12.0;
// How fast repetitions in the body stop counting, and how much a long page is held back.
constexpr double kRepeatSaturation = 1.2;
constexpr double kLengthNorm = 0.75;

struct Counts {
    std::uint64_t title = 0;
    std::uint64_t heading = 0;
    std::uint64_t body = 0;
};

using Posting = SearchIndexReader::Posting;

// The positions of posting i of a term, as ReadPositions gave them.
struct Positions {
    std::vector<std::uint32_t> values;
    std::vector<std::size_t> starts;

    std::pair<const std::uint32_t*, const std::uint32_t*> Of(std::size_t i) const {
        const std::size_t end = i + 1 < starts.size() ? starts[i + 1] : values.size();
        return {values.data() + starts[i], values.data() + end};
    }
};

bool HasPosition(std::pair<const std::uint32_t*, const std::uint32_t*> range,
                 std::uint64_t position) {
    const std::uint32_t* at =
        std::lower_bound(range.first, range.second, position,
                         [](std::uint32_t value, std::uint64_t p) { return (value >> 1) < p; });
    return at != range.second && (*at >> 1) == position;
}

// The query's terms, each once; itemTerms[i][k] is the number of item i's term k.
struct QueryTerms {
    std::vector<std::string_view> terms;
    std::vector<std::vector<std::size_t>> itemTerms;
};

QueryTerms DistinctTerms(const std::vector<QueryItem>& items) {
    QueryTerms q;
    q.itemTerms.resize(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        for (const QueryItem::Term& t : items[i].terms) {
            const auto at = std::find(q.terms.begin(), q.terms.end(), t.text);
            q.itemTerms[i].push_back(static_cast<std::size_t>(at - q.terms.begin()));
            if (at == q.terms.end()) {
                q.terms.push_back(t.text);
            }
        }
    }
    return q;
}

// What the whole book says of the terms: how rare each is, and how long a page runs.
struct Weights {
    std::vector<double> rarity;
    double averageBody = 1;
};

struct Ranked {
    SearchHit hit;
    std::size_t rank;
};

// The pages in every one of the posting lists (each in page order), from the list of fewest
// pages.
std::vector<std::uint32_t> PagesInEvery(const std::vector<std::vector<Posting>>& postings) {
    std::vector<std::size_t> byPages(postings.size());
    for (std::size_t u = 0; u < postings.size(); ++u) {
        byPages[u] = u;
    }
    std::sort(byPages.begin(), byPages.end(), [&](std::size_t a, std::size_t b) {
        return postings[a].size() < postings[b].size();
    });
    std::vector<std::uint32_t> pages;
    for (const Posting& posting : postings[byPages[0]]) {
        pages.push_back(posting.page);
    }
    for (std::size_t k = 1; k < byPages.size() && !pages.empty(); ++k) {
        const std::vector<Posting>& other = postings[byPages[k]];
        std::size_t o = 0, kept = 0;
        for (const std::uint32_t page : pages) {
            while (o < other.size() && other[o].page < page) {
                ++o;
            }
            if (o < other.size() && other[o].page == page) {
                pages[kept++] = page;
            }
        }
        pages.resize(kept);
    }
    return pages;
}

// at[u][c]: the posting of term u for page c, a page every list holds.
std::vector<std::vector<std::size_t>> PostingsAt(const std::vector<std::vector<Posting>>& postings,
                                                 const std::vector<std::uint32_t>& pages) {
    std::vector<std::vector<std::size_t>> at(postings.size());
    for (std::size_t u = 0; u < postings.size(); ++u) {
        std::size_t o = 0;
        for (const std::uint32_t page : pages) {
            while (postings[u][o].page < page) {
                ++o;
            }
            at[u].push_back(o);
        }
    }
    return at;
}

// In one index: the postings of the query's terms, the pages that hold every term, and the
// terms' positions, read only for phrases.
struct PageTerms {
    std::vector<std::vector<Posting>> postings;
    std::vector<std::uint32_t> pages;
    std::vector<std::vector<std::size_t>> at;
    std::vector<std::optional<Positions>> positions;
};

// Where phrase item's terms follow each other on page c, counted by where they start.
Counts CountPhrase(const QueryItem& item, const std::vector<std::size_t>& itemTerms,
                   const PageTerms& t, std::size_t c, std::uint32_t titleWords) {
    Counts counts;
    const std::size_t first = itemTerms[0];
    const auto [begin, end] = t.positions[first]->Of(t.at[first][c]);
    for (const std::uint32_t* v = begin; v != end; ++v) {
        const std::uint64_t start = *v >> 1;
        bool follows = true;
        for (std::size_t k = 1; k < item.terms.size() && follows; ++k) {
            const std::size_t u = itemTerms[k];
            follows = HasPosition(t.positions[u]->Of(t.at[u][c]), start + item.terms[k].offset);
        }
        if (follows) {
            ++(start < titleWords ? counts.title : (*v & 1) != 0 ? counts.heading : counts.body);
        }
    }
    return counts;
}

// The score of a page from the counts of each item on it.
double ScorePage(const std::vector<QueryItem>& items, const QueryTerms& q,
                 const std::vector<Counts>& itemCounts, const Weights& weights,
                 const SearchIndexReader::Page& page) {
    const double length = static_cast<double>(page.bodyWords) / weights.averageBody;
    double score = 0, rarities = 0;
    std::uint64_t titleCovered = 0;
    bool allInTitle = true;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Counts& counts = itemCounts[i];
        double rarity = 0;
        for (const std::size_t u : q.itemTerms[i]) {
            rarity += weights.rarity[u];
        }
        const auto body = static_cast<double>(counts.body);
        const auto heading = static_cast<double>(counts.heading);
        const double inBody = body * (kRepeatSaturation + 1) /
                              (body + kRepeatSaturation * (1 - kLengthNorm + kLengthNorm * length));
        score += rarity * ((counts.title > 0 ? kTitleWeight : 0) +
                           kHeadingWeight * heading / (heading + 1) + inBody);
        rarities += rarity;
        allInTitle = allInTitle && counts.title > 0;
        titleCovered += counts.title * items[i].span;
    }
    if (allInTitle && page.titleWords > 0) {
        const double share =
            std::min(1.0, static_cast<double>(titleCovered) / static_cast<double>(page.titleWords));
        score += kTitleShareWeight * rarities * share;
    }
    return score;
}

// Adds the pages of one index that hold every item, scored; false when the index turns out
// damaged.
bool RankPages(SearchIndexReader& index, const std::vector<SearchIndex::Page>& entries,
               const std::vector<QueryItem>& items, const QueryTerms& q,
               const std::vector<std::optional<SearchIndexReader::Term>>& found,
               const Weights& weights, std::vector<Ranked>& ranked) {
    if (std::any_of(found.begin(), found.end(), [](const auto& term) { return !term; })) {
        return true;  // no page here holds every term
    }
    PageTerms t;
    t.postings.resize(q.terms.size());
    for (std::size_t u = 0; u < q.terms.size(); ++u) {
        if (!index.ReadPostings(*found[u], t.postings[u])) {
            return false;
        }
    }
    t.pages = PagesInEvery(t.postings);
    if (t.pages.empty()) {
        return true;
    }
    t.at = PostingsAt(t.postings, t.pages);
    t.positions.resize(q.terms.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].terms.size() < 2) {
            continue;
        }
        for (const std::size_t u : q.itemTerms[i]) {
            if (!t.positions[u]) {
                t.positions[u].emplace();
                if (!index.ReadPositions(*found[u], t.postings[u], t.positions[u]->values,
                                         t.positions[u]->starts)) {
                    return false;
                }
            }
        }
    }
    std::vector<Counts> itemCounts(items.size());
    for (std::size_t c = 0; c < t.pages.size(); ++c) {
        const SearchIndexReader::Page& page = index.pages()[t.pages[c]];
        bool holdsEvery = true;
        for (std::size_t i = 0; i < items.size() && holdsEvery; ++i) {
            if (items[i].terms.size() > 1) {
                itemCounts[i] = CountPhrase(items[i], q.itemTerms[i], t, c, page.titleWords);
                holdsEvery = itemCounts[i].title + itemCounts[i].heading + itemCounts[i].body > 0;
            } else {
                const std::size_t u = q.itemTerms[i][0];
                const Posting& posting = t.postings[u][t.at[u][c]];
                itemCounts[i] = {posting.title, posting.heading, posting.body};
            }
        }
        if (holdsEvery) {
            const SearchIndex::Page& entry = entries[t.pages[c]];
            ranked.push_back(
                {{entry.entry, 0, ScorePage(items, q, itemCounts, weights, page)}, entry.rank});
        }
    }
    return true;
}

// The hits best first (equal scores in reading order), each with its share of the best.
void RankedHits(std::vector<Ranked>& ranked, std::vector<SearchHit>& hits) {
    std::sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
        if (a.hit.score != b.hit.score) {
            return a.hit.score > b.hit.score;
        }
        return a.rank < b.rank;
    });
    const double best = ranked.empty() ? 1.0 : std::max(ranked.front().hit.score, 1e-9);
    hits.reserve(ranked.size());
    for (Ranked& r : ranked) {
        r.hit.percent =
            std::clamp(static_cast<int>(std::lround(100.0 * r.hit.score / best)), 1, 100);
        hits.push_back(r.hit);
    }
}

}  // namespace

bool SearchIndex::Add(SearchIndexReader index, std::vector<Page> pages) {
    if (pages.size() != index.pages().size()) {
        return false;
    }
    parts_.push_back({std::move(index), std::move(pages)});
    return true;
}

void SearchIndex::RemoveFirst() {
    if (!parts_.empty()) {
        parts_.erase(parts_.begin());
    }
}

bool SearchIndex::Search(std::string_view query, std::vector<SearchHit>& hits) {
    hits.clear();
    error_.clear();
    const std::vector<QueryItem> items = ParseSearchQuery(query);
    if (items.empty()) {
        return true;
    }
    const QueryTerms queryTerms = DistinctTerms(items);
    const std::vector<std::string_view>& terms = queryTerms.terms;
    auto fail = [&](std::size_t part) {
        error_ = parts_[part].index.error();
        damagedPart_ = part;
        hits.clear();
        return false;
    };

    // How many pages hold each term, over all the indexes.
    std::vector<std::vector<std::optional<SearchIndexReader::Term>>> found(parts_.size());
    std::vector<double> pagesWith(terms.size(), 0);
    double pageCount = 0, bodyWords = 0;
    for (std::size_t p = 0; p < parts_.size(); ++p) {
        found[p].resize(terms.size());
        for (std::size_t u = 0; u < terms.size(); ++u) {
            if (!parts_[p].index.FindTerm(terms[u], found[p][u])) {
                return fail(p);
            }
            if (found[p][u]) {
                pagesWith[u] += found[p][u]->pageCount;
            }
        }
        for (const SearchIndexReader::Page& page : parts_[p].index.pages()) {
            bodyWords += page.bodyWords;
        }
        pageCount += static_cast<double>(parts_[p].pages.size());
    }
    Weights weights;
    weights.rarity.assign(terms.size(), 0);
    for (std::size_t u = 0; u < terms.size(); ++u) {
        if (pagesWith[u] > 0) {
            weights.rarity[u] = std::log(1.0 + pageCount / pagesWith[u]);
        }
    }
    weights.averageBody = std::max(1.0, bodyWords / std::max(1.0, pageCount));

    std::vector<Ranked> ranked;
    for (std::size_t p = 0; p < parts_.size(); ++p) {
        if (!RankPages(parts_[p].index, parts_[p].pages, items, queryTerms, found[p], weights,
                       ranked)) {
            return fail(p);
        }
    }
    RankedHits(ranked, hits);
    return true;
}

bool SearchIndexMaker::Finish(SearchIndexReader& index) {
    std::string bytes;
    return writer_.Finish(bytes) && index.Open(std::make_unique<StringInput>(std::move(bytes)));
}

}  // namespace nbx::reader
