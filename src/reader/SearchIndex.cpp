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
    // Each term once; itemTerms[i][k] is the number of item i's term k.
    std::vector<std::string_view> terms;
    std::vector<std::vector<std::size_t>> itemTerms(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        for (const QueryItem::Term& t : items[i].terms) {
            const auto at = std::find(terms.begin(), terms.end(), t.text);
            itemTerms[i].push_back(static_cast<std::size_t>(at - terms.begin()));
            if (at == terms.end()) {
                terms.push_back(t.text);
            }
        }
    }
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
    std::vector<double> rarityOf(terms.size(), 0);
    for (std::size_t u = 0; u < terms.size(); ++u) {
        if (pagesWith[u] > 0) {
            rarityOf[u] = std::log(1.0 + pageCount / pagesWith[u]);
        }
    }
    const double averageBody = std::max(1.0, bodyWords / std::max(1.0, pageCount));

    struct Ranked {
        SearchHit hit;
        std::size_t rank;
    };
    std::vector<Ranked> ranked;
    for (std::size_t p = 0; p < parts_.size(); ++p) {
        Part& part = parts_[p];
        if (std::any_of(found[p].begin(), found[p].end(), [](const auto& t) { return !t; })) {
            continue;  // a page here lacks a term
        }
        std::vector<std::vector<Posting>> postings(terms.size());
        for (std::size_t u = 0; u < terms.size(); ++u) {
            if (!part.index.ReadPostings(*found[p][u], postings[u])) {
                return fail(p);
            }
        }
        // The pages holding every term, from the term on fewest pages.
        std::vector<std::size_t> byPages(terms.size());
        for (std::size_t u = 0; u < terms.size(); ++u) {
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
        if (pages.empty()) {
            continue;
        }
        // at[u][c]: the posting of term u for candidate page c.
        std::vector<std::vector<std::size_t>> at(terms.size());
        for (std::size_t u = 0; u < terms.size(); ++u) {
            std::size_t o = 0;
            for (const std::uint32_t page : pages) {
                while (postings[u][o].page < page) {
                    ++o;
                }
                at[u].push_back(o);
            }
        }
        // Phrases count where their terms follow each other.
        std::vector<std::optional<Positions>> positions(terms.size());
        std::vector<std::vector<Counts>> phraseCounts(items.size());
        std::vector<bool> dropped(pages.size(), false);
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i].terms.size() < 2) {
                continue;
            }
            for (const std::size_t u : itemTerms[i]) {
                if (!positions[u]) {
                    positions[u].emplace();
                    if (!part.index.ReadPositions(*found[p][u], postings[u], positions[u]->values,
                                                  positions[u]->starts)) {
                        return fail(p);
                    }
                }
            }
            phraseCounts[i].resize(pages.size());
            for (std::size_t c = 0; c < pages.size(); ++c) {
                const std::uint32_t titleWords = part.index.pages()[pages[c]].titleWords;
                const std::size_t first = itemTerms[i][0];
                const auto [begin, end] = positions[first]->Of(at[first][c]);
                Counts& counts = phraseCounts[i][c];
                for (const std::uint32_t* v = begin; v != end; ++v) {
                    const std::uint64_t start = *v >> 1;
                    bool follows = true;
                    for (std::size_t k = 1; k < items[i].terms.size() && follows; ++k) {
                        const std::size_t u = itemTerms[i][k];
                        follows = HasPosition(positions[u]->Of(at[u][c]),
                                              start + items[i].terms[k].offset);
                    }
                    if (follows) {
                        ++(start < titleWords ? counts.title
                           : (*v & 1) != 0    ? counts.heading
                                              : counts.body);
                    }
                }
                if (counts.title + counts.heading + counts.body == 0) {
                    dropped[c] = true;
                }
            }
        }
        for (std::size_t c = 0; c < pages.size(); ++c) {
            if (dropped[c]) {
                continue;
            }
            const SearchIndexReader::Page& page = part.index.pages()[pages[c]];
            const double length = static_cast<double>(page.bodyWords) / averageBody;
            double score = 0, rarities = 0;
            std::uint64_t titleCovered = 0;
            bool allInTitle = true;
            for (std::size_t i = 0; i < items.size(); ++i) {
                Counts counts;
                if (items[i].terms.size() > 1) {
                    counts = phraseCounts[i][c];
                } else {
                    const std::size_t u = itemTerms[i][0];
                    const Posting& posting = postings[u][at[u][c]];
                    counts = {posting.title, posting.heading, posting.body};
                }
                double rarity = 0;
                for (const std::size_t u : itemTerms[i]) {
                    rarity += rarityOf[u];
                }
                const auto body = static_cast<double>(counts.body);
                const auto heading = static_cast<double>(counts.heading);
                const double inBody =
                    body * (kRepeatSaturation + 1) /
                    (body + kRepeatSaturation * (1 - kLengthNorm + kLengthNorm * length));
                score += rarity * ((counts.title > 0 ? kTitleWeight : 0) +
                                   kHeadingWeight * heading / (heading + 1) + inBody);
                rarities += rarity;
                allInTitle = allInTitle && counts.title > 0;
                titleCovered += counts.title * items[i].span;
            }
            if (allInTitle && page.titleWords > 0) {
                const double share = std::min(
                    1.0, static_cast<double>(titleCovered) / static_cast<double>(page.titleWords));
                score += kTitleShareWeight * rarities * share;
            }
            ranked.push_back({{part.pages[pages[c]].entry, 0, score}, part.pages[pages[c]].rank});
        }
    }
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
    return true;
}

bool SearchIndexMaker::Finish(SearchIndexReader& index) {
    std::string bytes;
    return writer_.Finish(bytes) && index.Open(std::make_unique<StringInput>(std::move(bytes)));
}

}  // namespace nbx::reader
