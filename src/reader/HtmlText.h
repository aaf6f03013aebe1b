#pragma once
// The visible text of an HTML page, for searching: tags dropped, script and style contents
// skipped, character references decoded to UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace nbx::reader {

std::string VisibleText(std::string_view html);

// Plain text made safe to stand in HTML: "&", "<", ">" and '"' become references.
std::string EscapeHtml(std::string_view text);

// Every <link rel="stylesheet"> without a type marked type="text/css": the page view
// applies a linked style sheet only when its type says so, and most pages leave it out.
std::string TypeStyleSheetLinks(std::string_view html);

// The words of a text, lower-cased (ASCII letters; other UTF-8 bytes are kept as they are).
std::vector<std::string> WordsOf(std::string_view text);

}  // namespace nbx::reader
