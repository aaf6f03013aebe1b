#include "reader/SearchIndex.h"

#include <algorithm>
#include <cmath>

#include "reader/HtmlText.h"

namespace nbx::reader {

namespace {
constexpr float kTitleWeight = 5.0f;
}

void SearchIndex::AddPage(std::size_t id, std::string_view title, std::string_view html) {
    std::unordered_map<std::string, float> counts;
    for (auto& word : WordsOf(title)) {
        counts[std::move(word)] += kTitleWeight;
    }
    const std::vector<std::string> body = WordsOf(VisibleText(html));
    for (const auto& word : body) {
        counts[word] += 1.0f;
    }
    // Long pages should not win by length alone.
    const float norm = 1.0f / std::sqrt(static_cast<float>(body.size() + 1));
    for (auto& [word, count] : counts) {
        postings_[word].push_back({id, (1.0f + std::log(count)) * norm * 10.0f});
    }
    ++pageCount_;
}

std::vector<SearchHit> SearchIndex::Search(std::string_view query) const {
    std::vector<std::string> words = WordsOf(query);
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    if (words.empty()) {
        return {};
    }
    struct Tally {
        double score = 0;
        std::size_t matched = 0;
    };
    std::unordered_map<std::size_t, Tally> tallies;
    for (const auto& word : words) {
        const auto it = postings_.find(word);
        if (it == postings_.end()) {
            continue;
        }
        const double idf = std::log(1.0 + static_cast<double>(pageCount_) /
                                              static_cast<double>(it->second.size()));
        for (const Posting& p : it->second) {
            Tally& t = tallies[p.page];
            t.score += p.weight * idf;
            ++t.matched;
        }
    }
    std::size_t mostMatched = 0;
    for (const auto& [page, t] : tallies) {
        mostMatched = std::max(mostMatched, t.matched);
    }
    const bool needAll = mostMatched == words.size();
    std::vector<std::pair<SearchHit, std::size_t>> hits;
    for (const auto& [page, t] : tallies) {
        if (needAll && t.matched != words.size()) {
            continue;
        }
        hits.push_back({{page, 0, t.score}, t.matched});
    }
    std::sort(hits.begin(), hits.end(), [](const auto& a, const auto& b) {
        if (a.second != b.second)
            return a.second > b.second;
        if (a.first.score != b.first.score)
            return a.first.score > b.first.score;
        return a.first.page < b.first.page;
    });
    std::vector<SearchHit> out;
    out.reserve(hits.size());
    const double best = hits.empty() ? 1.0 : hits.front().first.score;
    for (auto& [hit, matched] : hits) {
        const double share = static_cast<double>(matched) / static_cast<double>(words.size());
        hit.percent =
            std::clamp(static_cast<int>(std::lround(100.0 * share * hit.score / best)), 1, 100);
        out.push_back(hit);
    }
    return out;
}

}  // namespace nbx::reader
