#include "reader/BookPages.h"

#include "common/TextToHtml.h"
#include "reader/BookLinks.h"
#include "reader/HtmlText.h"
#include "reader/SystemPages.h"

namespace nbx::reader {

BookPages::BookPages(ReaderBook& book) : book_(book), search_(book) {}

PageOutcome BookPages::Html(std::string_view host, std::string_view path,
                            const std::optional<std::string>& query, const ReaderContext& context) {
    const BuildSettings& s = book_.settings();
    const ReaderTexts& texts = book_.texts();
    PageOutcome outcome;
    const std::string_view name = path.substr(path.find_last_of("/\\") + 1);
    if (host == kPageHost) {
        outcome.html = EntryHtml(book_.FindLinked(path), name, context, outcome);
    } else if (host != kSystemHost) {
        outcome.html = PageNotFoundHtml(texts, s, std::string(name));
    } else if (name == SystemPageName(SystemPage::About)) {
        outcome.html = AboutPageHtml(texts, s);
    } else if (name == SystemPageName(SystemPage::Contents)) {
        outcome.html = ContentsPageHtml(texts, s, book_.directory(),
                                        book_.order().ContentsPages(book_.directory()));
    } else if (name != SystemPageName(SystemPage::Search)) {
        outcome.html = PageNotFoundHtml(texts, s, std::string(name));
    } else if (!query) {
        outcome.html = SearchPageHtml(texts, s, book_.directory(), false, {}, {});
    } else {
        const std::vector<SearchResultRow> rows = search_.Search(*query, context);
        outcome.found = static_cast<int>(rows.size());
        outcome.html = SearchPageHtml(texts, s, book_.directory(), true, *query, rows);
    }
    return outcome;
}

std::string BookPages::EntryHtml(long entry, std::string_view name, const ReaderContext& context,
                                 PageOutcome& outcome) {
    if (entry < 0) {
        return PageNotFoundHtml(book_.texts(), book_.settings(), std::string(name));
    }
    const auto index = static_cast<std::size_t>(entry);
    const DirectoryEntry& e = book_.directory()[index];
    const EntryView view = ViewOfEntry(e.name);
    std::string bytes;
    const bool read = view == EntryView::Page ? book_.ReadPage(index, context, bytes)
                                              : book_.ReadEntry(index, bytes);
    if (!read) {
        outcome.damagedEntry = e.name;
        return {};
    }
    switch (view) {
        case EntryView::Page:
            return TypeStyleSheetLinks(bytes);
        case EntryView::Picture:
            return "<html><body><p align=\"center\"><img src=\"" + PageAddress(e.name) +
                   "\"></p></body></html>";
        case EntryView::Text:
        case EntryView::Other:
            break;
    }
    return "<html><body><pre>" + EscapeHtml(bytes) + "</pre></body></html>";
}

std::optional<std::string> BookPages::Resource(std::string_view path) {
    const long entry = book_.FindLinked(path);
    std::string bytes;
    if (entry < 0 || !book_.ReadEntry(static_cast<std::size_t>(entry), bytes)) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace nbx::reader
