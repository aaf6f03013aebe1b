// Feeds arbitrary bytes to the search index reader and the search over it: the input is split
// at its first zero byte into a query and an index (what a damaged book carries). Whatever the
// index holds, a search ends with hits for its own pages, or with a damaged index reported.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "format/SearchIndexReader.h"
#include "reader/SearchIndex.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t zero = bytes.find('\0');
    if (zero == std::string_view::npos) {
        return 0;
    }
    const std::string_view query = bytes.substr(0, zero);
    nbx::SearchIndexReader reader;
    if (!reader.Open(std::make_unique<nbx::StringInput>(std::string(bytes.substr(zero + 1))))) {
        return 0;
    }
    std::vector<nbx::reader::SearchIndex::Page> pages;
    for (std::size_t i = 0; i < reader.pages().size(); ++i) {
        pages.push_back({i, i});
    }
    const std::size_t count = pages.size();
    nbx::reader::SearchIndex index;
    if (!index.Add(std::move(reader), std::move(pages))) {
        __builtin_trap();
    }
    std::vector<nbx::reader::SearchHit> hits;
    if (index.Search(query, hits)) {
        for (const nbx::reader::SearchHit& hit : hits) {
            if (hit.page >= count || hit.percent < 1 || hit.percent > 100) {
                __builtin_trap();
            }
        }
    } else if (!hits.empty() || index.error().empty()) {
        __builtin_trap();
    }
    return 0;
}
