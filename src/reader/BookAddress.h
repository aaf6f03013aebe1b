#pragma once
// Which addresses a book may reach. A book is input from a stranger: its pages, pictures and
// style sheets come from the book alone, and anything that would leave the reader (a web
// address, a mail address, an entry handed to the desktop) does so only after the reader
// has asked. Local files are never opened for a book, whatever scheme or spelling names
// them.

#include <string>
#include <string_view>

namespace nbx::reader {

enum class AddressKind {
    BookEntry,      // "ebook://page/NAME": an entry of the book, found by its name
    GeneratedPage,  // "ebook://system/NAME": the About, Contents and Search pages
    Ignored,        // empty, "javascript:" or a bare "#fragment": nothing happens
    LocalFile,      // "file:", a path of this computer ("/dev/zero", "C:\x", "\\host\x"),
                    // a relative path that climbs above its start with "..", another host
                    // of "ebook:", "data:" and the toolkit's own schemes: refused, never
                    // opened
    External        // any other scheme ("https:", "mailto:"): leaves the reader after asking
};

// The kind of an absolute address as the reader resolved it (relative links are resolved
// against the page's own "ebook://page/..." address first). Scheme and host compare without
// regard to ASCII letter case; percent-encoded dots and separators count as what they encode.
AddressKind ClassifyAddress(std::string_view address);

// True for the kinds a page may load (its pictures, style sheets and linked pages).
bool MayLoad(AddressKind kind);

// The scheme of an address in lower case, or empty when it has none.
std::string AddressScheme(std::string_view address);

// text with every "%XX" turned back into its byte (a malformed one stays as it is).
std::string PercentDecode(std::string_view text);

}  // namespace nbx::reader
