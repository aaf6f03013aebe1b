#include "reader/SearchIndex.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "reader/HtmlText.h"

namespace nbx::reader {

namespace {

constexpr float kTitleWeight = 5.0f;

constexpr std::uint64_t kHashStart = 14695981039346656037ull;  // FNV-1a

std::uint64_t HashStep(std::uint64_t h, unsigned char c) {
    return (h ^ c) * 1099511628211ull;
}

std::uint64_t HashOf(std::string_view word) {
    std::uint64_t h = kHashStart;
    for (const char c : word) {
        h = HashStep(h, static_cast<unsigned char>(c));
    }
    return h;
}

// Lower-cases text in place and calls visit(word, hash) for each of its words, the same
// words ForEachWord finds, in one pass.
template <class Visit>
void ForEachHashedWord(std::string& text, Visit&& visit) {
    std::size_t start = 0;
    std::uint64_t hash = kHashStart;
    bool inWord = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<unsigned char>(c - 'A' + 'a');
            text[i] = static_cast<char>(c);
        }
        if (IsWordByte(c)) {
            if (!inWord) {
                start = i;
                hash = kHashStart;
                inWord = true;
            }
            hash = HashStep(hash, c);
        } else if (inWord) {
            visit(std::string_view(text).substr(start, i - start), hash);
            inWord = false;
        }
    }
    if (inWord) {
        visit(std::string_view(text).substr(start), hash);
    }
}

}  // namespace

std::size_t SearchIndex::SlotOf(std::string_view word, std::uint64_t hash) const {
    const std::size_t mask = table_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const std::uint32_t id = table_[i];
        if (id == kNoWord || (hashes_[id] == hash && words_[id] == word)) {
            return i;
        }
    }
}

std::uint32_t SearchIndex::FindWord(std::string_view word, std::uint64_t hash) const {
    return table_[SlotOf(word, hash)];
}

std::uint32_t SearchIndex::WordId(std::string_view word, std::uint64_t hash) {
    std::size_t slot = SlotOf(word, hash);
    if (table_[slot] != kNoWord) {
        return table_[slot];
    }
    if ((words_.size() + 1) * 2 > table_.size()) {
        std::vector<std::uint32_t> bigger(table_.size() * 2, kNoWord);
        table_.swap(bigger);
        for (std::uint32_t id = 0; id < words_.size(); ++id) {
            table_[SlotOf(words_[id], hashes_[id])] = id;
        }
        slot = SlotOf(word, hash);
    }
    const auto id = static_cast<std::uint32_t>(words_.size());
    words_.emplace_back(word);
    hashes_.push_back(hash);
    postings_.emplace_back();
    pageCounts_.push_back(0);
    table_[slot] = id;
    return id;
}

void SearchIndex::AddPage(std::size_t id, std::string_view title, std::string_view html) {
    auto count = [&](std::string_view word, std::uint64_t hash, float weight) {
        const std::uint32_t w = WordId(word, hash);
        if (pageCounts_[w] == 0) {
            pageWords_.push_back(w);
        }
        pageCounts_[w] += weight;
    };
    std::string text(title);
    ForEachHashedWord(
        text, [&](std::string_view word, std::uint64_t hash) { count(word, hash, kTitleWeight); });
    text = VisibleText(html);
    std::size_t bodyWords = 0;
    ForEachHashedWord(text, [&](std::string_view word, std::uint64_t hash) {
        count(word, hash, 1.0f);
        ++bodyWords;
    });
    // Long pages should not win by length alone.
    const float norm = 1.0f / std::sqrt(static_cast<float>(bodyWords + 1));
    for (const std::uint32_t w : pageWords_) {
        postings_[w].push_back({id, (1.0f + std::log(pageCounts_[w])) * norm * 10.0f});
        pageCounts_[w] = 0;
    }
    pageWords_.clear();
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
        const std::uint32_t w = FindWord(word, HashOf(word));
        if (w == kNoWord) {
            continue;
        }
        const std::vector<Posting>& pages = postings_[w];
        const double idf =
            std::log(1.0 + static_cast<double>(pageCount_) / static_cast<double>(pages.size()));
        for (const Posting& p : pages) {
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
