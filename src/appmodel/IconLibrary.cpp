#include "appmodel/IconLibrary.h"

#include <algorithm>
#include <filesystem>

#include "platform/AsciiText.h"
#include "platform/RegularFile.h"

namespace nbx {

namespace fs = std::filesystem;

namespace {

bool NameLess(const std::string& a, const std::string& b) {
    const std::string la = ToLowerAscii(a);
    const std::string lb = ToLowerAscii(b);
    return la != lb ? la < lb : a < b;
}

std::uint32_t Word16(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint8_t>(bytes[at]) |
           (static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 1])) << 8);
}

std::uint32_t Word32(const std::string& bytes, std::size_t at) {
    return Word16(bytes, at) | (Word16(bytes, at + 2) << 16);
}

bool EndsWithIco(const std::string& name) {
    return name.size() > 4 && ToLowerAscii(name.substr(name.size() - 4)) == ".ico";
}

bool IsLibraryIcon(const fs::directory_entry& entry) {
    std::error_code ec;
    if (!entry.is_regular_file(ec) || ec || entry.file_size(ec) != kLibraryIconSize || ec) {
        return false;
    }
    std::string bytes;
    int error = 0;
    return platform::ReadRegularFile(entry.path().string(), kLibraryIconSize,
                                     platform::Oversize::Refuse, bytes, error) &&
           bytes.size() == kLibraryIconSize && HoldsIconImage(bytes);
}

std::vector<fs::directory_entry> SortedEntries(const std::string& folder) {
    std::vector<fs::directory_entry> entries;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        return entries;
    }
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) {
            break;
        }
        entries.push_back(*it);
    }
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return NameLess(a.path().filename().string(), b.path().filename().string());
    });
    return entries;
}

}  // namespace

bool HoldsIconImage(const std::string& bytes) {
    // Header: reserved 0, type 1, count; then 16-byte entries with size and offset at 8, 12.
    if (bytes.size() < 6 + 16 || Word16(bytes, 0) != 0 || Word16(bytes, 2) != 1 ||
        Word16(bytes, 4) == 0) {
        return false;
    }
    const std::uint64_t size = Word32(bytes, 6 + 8);
    const std::uint64_t offset = Word32(bytes, 6 + 12);
    return size > 0 && offset >= 6 + 16 && offset + size <= bytes.size();
}

std::vector<std::string> IconLibrary::IconsOf(const IconCategory& category) const {
    std::string prefix = ToLowerAscii(category.path);
    if (prefix.empty() || prefix.back() != '/') {
        prefix += '/';
    }
    std::vector<std::string> found;
    for (const std::string& icon : icons) {
        if (ToLowerAscii(icon).compare(0, prefix.size(), prefix) == 0) {
            found.push_back(icon);
        }
    }
    return found;
}

int IconLibrary::Find(const std::string& path) const {
    const auto it = std::find(icons.begin(), icons.end(), path);
    return it == icons.end() ? -1 : static_cast<int>(it - icons.begin());
}

IconLibrary ListIconLibrary(const std::string& iconsFolder) {
    IconLibrary library;
    for (const fs::directory_entry& folder : SortedEntries(iconsFolder)) {
        std::error_code ec;
        if (!folder.is_directory(ec) || ec) {
            continue;
        }
        library.categories.push_back({folder.path().string(), folder.path().filename().string()});
        for (const fs::directory_entry& file : SortedEntries(folder.path().string())) {
            if (EndsWithIco(file.path().filename().string()) && IsLibraryIcon(file)) {
                library.icons.push_back(file.path().string());
            }
        }
    }
    return library;
}

}  // namespace nbx
