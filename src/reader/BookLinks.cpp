#include "reader/BookLinks.h"

#include "format/RecordFormat.h"
#include "platform/AsciiText.h"
#include "project/SourceFile.h"

namespace nbx::reader {

namespace {

bool EndsWithNoCase(std::string_view name, std::string_view lowerSuffix) {
    return name.size() > lowerSuffix.size() && EndsWithNoCaseAscii(name, lowerSuffix);
}

}  // namespace

std::string_view SystemPageName(SystemPage page) {
    switch (page) {
        case SystemPage::About:
            return "about";
        case SystemPage::Contents:
            return "contents";
        case SystemPage::Search:
            return "search";
    }
    return "about";
}

std::string PageAddress(std::string_view entryName) {
    return std::string(kBookScheme) + "://" + std::string(kPageHost) + "/" +
           PercentEncode(entryName, true);
}

std::string SystemPageAddress(SystemPage page) {
    return std::string(kBookScheme) + "://" + std::string(kSystemHost) + "/" +
           std::string(SystemPageName(page));
}

bool IsHiddenEntry(std::string_view name) {
    return name == record::kLanguageEntryName || name == record::kToolbarEntryName ||
           name == record::kSearchIndexEntryName || name.starts_with(record::kExtensionEntryPrefix);
}

namespace {

// The parts of a path from the root, with "." dropped and ".." taking one part off.
std::string NormalPath(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t slash = path.find('/', start);
        if (slash == std::string_view::npos) {
            slash = path.size();
        }
        const std::string_view part = path.substr(start, slash - start);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = slash + 1;
    }
    std::string out;
    for (const std::string_view part : parts) {
        if (!out.empty()) {
            out += '/';
        }
        out += part;
    }
    return out;
}

// The visible entry called name, exactly or else without regard to letter case, or -1.
long FindEntryNamed(const std::vector<DirectoryEntry>& directory, std::string_view name) {
    if (name.empty() || IsHiddenEntry(name)) {
        return -1;
    }
    for (std::size_t i = 0; i < directory.size(); ++i) {
        if (directory[i].name == name) {
            return static_cast<long>(i);
        }
    }
    const std::string lower = ToLowerAscii(std::string(name));
    for (std::size_t i = 0; i < directory.size(); ++i) {
        if (ToLowerAscii(directory[i].name) == lower && !IsHiddenEntry(directory[i].name)) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

}  // namespace

long FindLinkedEntry(const std::vector<DirectoryEntry>& directory, std::string_view path) {
    if (path.find('/') != std::string_view::npos) {
        const long whole = FindEntryNamed(directory, NormalPath(path));
        if (whole >= 0) {
            return whole;
        }
    }
    const std::size_t slash = path.find_last_of("/\\");
    return FindEntryNamed(directory,
                          slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ResolveLinkPath(std::string_view fromPage, std::string_view link) {
    link = link.substr(0, link.find_first_of("?#"));
    if (link.starts_with('/')) {
        return NormalPath(link);
    }
    const std::size_t slash = fromPage.find_last_of('/');
    const std::string_view folder =
        slash == std::string_view::npos ? std::string_view() : fromPage.substr(0, slash + 1);
    return NormalPath(std::string(folder) + std::string(link));
}

EntryView ViewOfEntry(std::string_view name) {
    if (IsHtmlName(name)) {
        return EntryView::Page;
    }
    for (const std::string_view suffix : {".gif", ".jpg", ".jpeg", ".png", ".bmp"}) {
        if (EndsWithNoCase(name, suffix)) {
            return EntryView::Picture;
        }
    }
    if (EndsWithNoCase(name, ".txt")) {
        return EntryView::Text;
    }
    return EntryView::Other;
}

}  // namespace nbx::reader
