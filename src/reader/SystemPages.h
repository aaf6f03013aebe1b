#pragma once
// The pages the reader makes itself (About, Table Of Contents, Search, Page Not Found), from
// the HTML templates of the language file and in the colours of the settings record. Every
// text taken from the book (titles, descriptions, the query) is escaped before it goes in.

#include <cstdint>
#include <string>
#include <vector>

#include "format/BuildSettings.h"
#include "format/DirectoryEntry.h"
#include "reader/ReaderTexts.h"

namespace nbx::reader {

// A colour of the settings record (0x00BBGGRR) as "#RRGGBB".
std::string HtmlColor(std::uint32_t colorRef);

// What a page is called in lists, as plain text: its title with its character references
// decoded, or its name when it has none.
std::string PageTitleOf(const DirectoryEntry& entry);

// The generated About page: the book's title and each detail that is set (author, e-mail
// as a mailto link, web site as a link, publisher, copyright, compile date and time), and
// the affiliate line when a nickname is set.
std::string AboutPageHtml(const ReaderTexts& texts, const BuildSettings& settings);

// The generated Table Of Contents of the pages at the directory positions listed, with
// their descriptions when the settings ask for them.
std::string ContentsPageHtml(const ReaderTexts& texts, const BuildSettings& settings,
                             const std::vector<DirectoryEntry>& directory,
                             const std::vector<std::size_t>& listed);

struct SearchResultRow {
    std::size_t entry = 0;  // directory position
    int percent = 0;
};

// The Search page: the introduction when searched is false, else the results for query
// (with "% Match" and descriptions as the settings ask), or the no-results text.
std::string SearchPageHtml(const ReaderTexts& texts, const BuildSettings& settings,
                           const std::vector<DirectoryEntry>& directory, bool searched,
                           const std::string& query, const std::vector<SearchResultRow>& rows);

// The page shown for a link to a page the book lacks.
std::string PageNotFoundHtml(const ReaderTexts& texts, const BuildSettings& settings,
                             const std::string& name);

}  // namespace nbx::reader
