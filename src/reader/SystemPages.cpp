#include "reader/SystemPages.h"

#include <cstdio>

#include "common/TextToHtml.h"
#include "reader/BookLinks.h"
#include "reader/HtmlText.h"
#include "reader/SearchText.h"
#include "viewerfiles/TextTemplate.h"

namespace nbx::reader {

namespace {

// Fills a whole page: its own values plus those every page has.
std::string FillPage(const ReaderTexts& texts, const BuildSettings& settings, LanguageKey page,
                     TemplateValues values) {
    const auto& c = settings.colors;
    const std::string background = HtmlColor(c[0]), text = HtmlColor(c[1]),
                      textBackground = HtmlColor(c[2]), link = HtmlColor(c[3]),
                      visited = HtmlColor(c[4]), hover = HtmlColor(c[5]);
    const std::string style =
        FillTemplate(texts.Text(LanguageKey::PageStyle), {{"background", background},
                                                          {"text", text},
                                                          {"textBackground", textBackground},
                                                          {"link", link},
                                                          {"visited", visited},
                                                          {"hover", hover}});
    const std::string lang = texts.Text(LanguageKey::LanguageCode);
    const std::string dir = texts.Text(LanguageKey::TextDirection);
    const std::string title = EscapeHtml(settings.title);
    values.insert(values.end(), {{"lang", lang}, {"dir", dir}, {"style", style}, {"title", title}});
    return FillTemplate(texts.Text(page), values);
}

std::string AboutRow(const ReaderTexts& texts, LanguageKey label, const std::string& valueHtml) {
    const std::string labelText = EscapeHtml(texts.Text(label));
    return FillTemplate(texts.Text(LanguageKey::AboutRow),
                        {{"label", labelText}, {"value", valueHtml}});
}

std::string Link(const std::string& href, const std::string& text) {
    return "<a href=\"" + EscapeHtml(href) + "\">" + EscapeHtml(text) + "</a>";
}

}  // namespace

std::string HtmlColor(std::uint32_t colorRef) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colorRef & 0xFF, (colorRef >> 8) & 0xFF,
                  (colorRef >> 16) & 0xFF);
    return text;
}

std::string PageTitleOf(const DirectoryEntry& entry) {
    // Titles are stored as the page wrote them, references and all.
    return entry.title.empty() ? entry.name : DecodeCharacterReferences(entry.title);
}

std::string AboutPageHtml(const ReaderTexts& texts, const BuildSettings& settings) {
    const BuildSettings& s = settings;
    std::string rows;
    if (!s.author.empty()) {
        rows += AboutRow(texts, LanguageKey::AboutLabelAuthor, EscapeHtml(s.author));
    }
    if (!s.authorEmail.empty()) {
        rows += AboutRow(texts, LanguageKey::AboutLabelEmail,
                         Link("mailto:" + s.authorEmail, s.authorEmail));
    }
    if (!s.authorUrl.empty()) {
        const bool hasScheme = s.authorUrl.find("://") != std::string::npos;
        rows += AboutRow(texts, LanguageKey::AboutLabelWebSite,
                         Link(hasScheme ? s.authorUrl : "http://" + s.authorUrl, s.authorUrl));
    }
    if (!s.publisher.empty()) {
        rows += AboutRow(texts, LanguageKey::AboutLabelPublisher, EscapeHtml(s.publisher));
    }
    if (!s.copyright.empty()) {
        rows += AboutRow(texts, LanguageKey::AboutLabelCopyright, EscapeHtml(s.copyright));
    }
    if (s.buildYear > 0) {
        char when[40];
        std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d:%02d", s.buildYear, s.buildMonth,
                      s.buildDay, s.buildHour, s.buildMinute);
        rows += AboutRow(texts, LanguageKey::AboutLabelCompiled, when);
    }
    std::string affiliate;
    if (!s.affiliateNickname.empty()) {
        const std::string nickname = EscapeHtml(s.affiliateNickname);
        affiliate = FillTemplate(texts.Text(LanguageKey::AboutAffiliate), {{"nickname", nickname}});
    }
    return FillPage(texts, settings, LanguageKey::AboutPage,
                    {{"rows", rows}, {"affiliate", affiliate}});
}

std::string ContentsPageHtml(const ReaderTexts& texts, const BuildSettings& settings,
                             const std::vector<DirectoryEntry>& directory,
                             const std::vector<std::size_t>& listed) {
    std::string rows;
    for (const std::size_t i : listed) {
        const DirectoryEntry& e = directory[i];
        const std::string href = PageAddress(e.name);
        const std::string title = EscapeHtml(PageTitleOf(e));
        const std::string description = EscapeHtml(e.description);
        const bool described = settings.contentsDescriptions != 0 && !e.description.empty();
        rows += FillTemplate(
            texts.Text(described ? LanguageKey::ContentsRowDescribed : LanguageKey::ContentsRow),
            {{"href", href}, {"pageTitle", title}, {"description", description}});
    }
    if (listed.empty()) {
        rows = texts.Text(LanguageKey::ContentsEmpty);
    }
    return FillPage(texts, settings, LanguageKey::ContentsPage, {{"rows", rows}});
}

std::string SearchPageHtml(const ReaderTexts& texts, const BuildSettings& settings,
                           const std::vector<DirectoryEntry>& directory, bool searched,
                           const std::string& query, const std::vector<SearchResultRow>& rows) {
    const std::string queryHtml = EscapeHtml(query);
    // A result opens its page with the items found, for the page's helper to mark.
    std::string found;
    for (const QueryItem& item : ParseSearchQuery(query)) {
        found += (found.empty() ? "?" : "&amp;") + std::string(kFoundParameter) + "=" +
                 PercentEncode(ItemMarkText(item), false);
    }
    std::string results;
    if (!searched) {
        results = texts.Text(LanguageKey::SearchIntro);
    } else if (rows.empty()) {
        results = FillTemplate(texts.Text(LanguageKey::SearchNoResults), {{"query", queryHtml}});
    } else {
        std::string list;
        for (const SearchResultRow& row : rows) {
            const DirectoryEntry& e = directory[row.entry];
            std::string match;
            if (settings.searchShowMatch != 0) {
                const std::string percent = std::to_string(row.percent);
                match = FillTemplate(texts.Text(LanguageKey::SearchMatch), {{"percent", percent}});
            }
            std::string description;
            if (settings.searchDescriptions != 0 && !e.description.empty()) {
                const std::string text = EscapeHtml(e.description);
                description = FillTemplate(texts.Text(LanguageKey::SearchDescription),
                                           {{"description", text}});
            }
            const std::string href = PageAddress(e.name) + found;
            const std::string title = EscapeHtml(PageTitleOf(e));
            list += FillTemplate(texts.Text(LanguageKey::SearchResultRow),
                                 {{"href", href},
                                  {"pageTitle", title},
                                  {"match", match},
                                  {"description", description}});
        }
        const std::string count = std::to_string(rows.size());
        results = FillTemplate(texts.Text(LanguageKey::SearchResults),
                               {{"query", queryHtml}, {"count", count}, {"rows", list}});
    }
    return FillPage(texts, settings, LanguageKey::SearchPage, {{"results", results}});
}

std::string PageNotFoundHtml(const ReaderTexts& texts, const BuildSettings& settings,
                             const std::string& name) {
    const std::string page = EscapeHtml(name);
    return FillPage(texts, settings, LanguageKey::PageNotFound, {{"page", page}});
}

}  // namespace nbx::reader
