#pragma once
// The visible text of an HTML page, for searching: tags dropped, script and style contents
// skipped, character references decoded to UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace nbx::reader {

std::string VisibleText(std::string_view html);

// text with its character references ("&amp;", "&#8212;", "&eacute;") decoded to UTF-8 and
// nothing else changed: for texts taken from a page, such as its title, that are shown as
// plain text (or escaped once again for a generated page).
std::string DecodeCharacterReferences(std::string_view text);

// Every <link rel="stylesheet"> without a type marked type="text/css": the page view
// applies a linked style sheet only when its type says so, and most pages leave it out.
std::string TypeStyleSheetLinks(std::string_view html);

// The words of a text, lower-cased (ASCII letters; other UTF-8 bytes are kept as they are).
std::vector<std::string> WordsOf(std::string_view text);

// text with its ASCII letters lower-cased, in place.
void LowerAscii(std::string& text);

// Whether a byte of lower-cased text belongs to a word: letters, digits and every byte of a
// character beyond ASCII. Indexing and queries must agree on it.
inline bool IsWordByte(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c >= 0x80;
}

// Calls visit(word) for each word of a text that is already lower-cased, as views into it;
// the words are those of WordsOf. Allocates nothing.
template <class Visit>
void ForEachWord(std::string_view lowerText, Visit&& visit) {
    std::size_t start = 0;
    bool inWord = false;
    for (std::size_t i = 0; i < lowerText.size(); ++i) {
        const bool wordChar = IsWordByte(static_cast<unsigned char>(lowerText[i]));
        if (wordChar && !inWord) {
            start = i;
            inWord = true;
        } else if (!wordChar && inWord) {
            visit(lowerText.substr(start, i - start));
            inWord = false;
        }
    }
    if (inWord) {
        visit(lowerText.substr(start));
    }
}

}  // namespace nbx::reader
