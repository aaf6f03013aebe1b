#pragma once
// The visible text of an HTML page, for searching: tags dropped, title, script and style
// contents skipped, character references decoded to UTF-8, headings marked.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nbx::reader {

struct PageText {
    std::string text;
    // Where the text of the page's headings (h1 to h6) lies in text: [first, second), in
    // ascending order.
    std::vector<std::pair<std::size_t, std::size_t>> headings;
};

// What a reader of the page sees: its text without the tags (each tag separates words), the
// title, scripts, styles and comments; character references decoded to UTF-8.
PageText VisibleText(std::string_view html);
// The same into page, whose buffers are reused: for many pages in turn, fresh memory for each
// would cost a page fault every 4 KB.
void VisibleText(std::string_view html, PageText& page);

// text with its character references ("&amp;", "&#8212;", "&eacute;") decoded to UTF-8 and
// nothing else changed: for texts taken from a page, such as its title, that are shown as
// plain text (or escaped once again for a generated page).
std::string DecodeCharacterReferences(std::string_view text);

// Every <link rel="stylesheet"> without a type marked type="text/css": the page view
// applies a linked style sheet only when its type says so, and most pages leave it out.
std::string TypeStyleSheetLinks(std::string_view html);

}  // namespace nbx::reader
