// Feeds arbitrary bytes to what the reader does with a page's text: the preprocessor, the
// visible text and style-sheet links, the search index made of it with a query, the text converter,
// link lookups and the language texts with their accelerators. The input is split at its
// first zero byte into a page and a query.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/TextToHtml.h"
#include "format/DirectoryEntry.h"
#include "reader/BookLinks.h"
#include "reader/HtmlText.h"
#include "reader/PagePreprocessor.h"
#include "reader/ReaderTexts.h"
#include "reader/SearchIndex.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t zero = bytes.find('\0');
    const std::string_view page = bytes.substr(0, zero);
    const std::string_view query =
        zero == std::string_view::npos ? std::string_view() : bytes.substr(zero + 1);

    // A value that holds the preprocessor's own marks must not be scanned again.
    const std::string expanded =
        nbx::reader::PreprocessPage(page, [&](std::string_view name) -> std::optional<std::string> {
            if (name.size() % 2 == 0) {
                return std::string("[={") + std::string(name) + "}]";
            }
            return std::nullopt;
        });
    nbx::reader::TypeStyleSheetLinks(expanded);

    // Whatever the pages hold, the index made of them reads back whole.
    nbx::reader::SearchIndexMaker maker;
    maker.Add("a", query, page, expanded);
    maker.Add("b", page, "", query);
    nbx::SearchIndexReader reader;
    nbx::reader::SearchIndex index;
    if (!maker.Finish(reader) || !index.Add(std::move(reader), {{0, 0}, {1, 1}})) {
        __builtin_trap();
    }
    std::vector<nbx::reader::SearchHit> hits;
    if (!index.Search(query, hits)) {
        __builtin_trap();
    }
    for (const nbx::reader::SearchHit& hit : hits) {
        if (hit.page > 1 || hit.percent < 1 || hit.percent > 100) {
            __builtin_trap();
        }
    }

    std::string text(page);
    nbx::ConvertTextToHtml(text);
    nbx::EscapeHtml(query);

    std::vector<nbx::DirectoryEntry> directory(2);
    directory[0].name = std::string(page.substr(0, 40));
    directory[1].name = "__lang.lng";
    nbx::reader::FindLinkedEntry(directory, query);
    nbx::reader::ViewOfEntry(query);
    nbx::reader::PercentEncode(query, true);

    nbx::reader::ReaderTexts texts;
    std::string error;
    if (texts.Load(page, error)) {
        for (const auto& info : nbx::kLanguageKeys) {
            texts.Menu(info.key);
            texts.Button(info.key);
            texts.FileType(info.key);
        }
    }
    nbx::reader::PortableAccelerator(query);
    return 0;
}
