#pragma once
#include <string>
#include <string_view>

namespace nbx {

// Turns plain text into an HTML fragment, in place:
// - "&", "<", ">" and '"' become "&amp;", "&lt;", "&gt;" and "&quot;" (so an entity typed in
//   the text stays visible as text);
// - a tab counts as four spaces;
// - every line break ("\r\n", lone "\r", "\n") becomes "<BR>", and the spaces that end a line
//   are dropped (spaces at the very end of the text stay);
// - a single space stays a space; a run of two or more spaces becomes as many "&nbsp;".
// Never fails. Runs in one pass over the text.
void ConvertTextToHtml(std::string& text);

// The reference that stands for c in HTML text ("&amp;", "&lt;", "&gt;", "&quot;"), or
// nullptr for a character that stands for itself.
inline const char* HtmlReference(char c) {
    switch (c) {
        case '&':
            return "&amp;";
        case '<':
            return "&lt;";
        case '>':
            return "&gt;";
        case '"':
            return "&quot;";
        default:
            return nullptr;
    }
}

// Plain text made safe to stand in HTML: the four characters above become references.
std::string EscapeHtml(std::string_view text);

}  // namespace nbx
