#pragma once
// How the reader names what it shows, and how a link finds its entry.
//
// Pages and pictures of the book are addressed "ebook://page/" + the entry's name
// (percent-encoded); the generated pages "ebook://system/about", ".../contents" and
// ".../search?q=words". An entry's name is its path below the source folder ("library/os.html",
// or a bare file name in a flat book), and the address keeps its '/', so a relative link in a
// page resolves against the page's own folder. A link that names no entry by its path finds
// it by its last part, as flat books always have.

#include <string>
#include <string_view>
#include <vector>

#include "format/DirectoryEntry.h"
#include "platform/HttpMessage.h"

namespace nbx::reader {

inline constexpr std::string_view kBookScheme = "ebook";
inline constexpr std::string_view kPageHost = "page";
inline constexpr std::string_view kSystemHost = "system";

enum class SystemPage { About, Contents, Search };

// A page opened from the Search page carries what was found in this query parameter, once
// for each word, identifier or phrase (words separated by spaces); the page's helper marks
// them. The entry lookup ignores it.
inline constexpr std::string_view kFoundParameter = "nbx-found";

// The name of a system page in its address: "about", "contents", "search".
std::string_view SystemPageName(SystemPage page);

std::string PageAddress(std::string_view entryName);
std::string SystemPageAddress(SystemPage page);

using platform::PercentEncode;

// The entries a reader never shows: the language file, the toolbar images, the search index
// and the extension libraries, which are not loaded either.
bool IsHiddenEntry(std::string_view name);

// The entry that a path from the book's root names ("/library/os.html" or "library/os.html";
// "." and ".." parts resolved): the whole path matched exactly, else without regard to ASCII
// letter case; failing that, its last part after '/' or '\\' the same two ways. -1 when there
// is none or it is a hidden entry.
long FindLinkedEntry(const std::vector<DirectoryEntry>& directory, std::string_view path);

// The path from the book's root that a link in page fromPage names: a link beginning with
// '/' counts from the root, any other from the page's folder; "." and ".." parts are
// resolved (".." at the root stays at the root) and a "?query" or "#fragment" is dropped.
// The link is taken as decoded text.
std::string ResolveLinkPath(std::string_view fromPage, std::string_view link);

// How an entry is shown, by its name's ending.
enum class EntryView {
    Page,     // .htm, .html
    Picture,  // .gif .jpg .jpeg .png .bmp: shown alone on a page
    Text,     // .txt: shown as it stands
    Other     // handed to the desktop's program for its type
};
EntryView ViewOfEntry(std::string_view name);

}  // namespace nbx::reader
