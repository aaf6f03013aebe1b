#include "reader/PageOrder.h"

#include <algorithm>

#include "platform/AsciiText.h"
#include "project/SourceFile.h"
#include "reader/BookLinks.h"

namespace nbx::reader {

PageOrder::PageOrder(const std::vector<DirectoryEntry>& directory) {
    for (std::size_t i = 0; i < directory.size(); ++i) {
        if (IsHtmlName(directory[i].name) && !IsHiddenEntry(directory[i].name)) {
            pages_.push_back(i);
        }
    }
    std::stable_sort(pages_.begin(), pages_.end(), [&](std::size_t a, std::size_t b) {
        const std::string& ka = directory[a].orderKey;
        const std::string& kb = directory[b].orderKey;
        return !ka.empty() && (kb.empty() || ka < kb);
    });
    for (const std::size_t page : pages_) {
        const std::string lower = ToLowerAscii(directory[page].name);
        if (lower == "index.htm" || lower == "index.html") {
            index_ = static_cast<long>(page);
            break;
        }
    }
    if (index_ < 0 && !pages_.empty()) {
        index_ = static_cast<long>(pages_.front());
    }
}

long PageOrder::PositionOf(long entry) const {
    const auto it = std::find(pages_.begin(), pages_.end(), static_cast<std::size_t>(entry));
    return entry < 0 || it == pages_.end() ? -1 : static_cast<long>(it - pages_.begin());
}

long PageOrder::Next(long entry, bool loop) const {
    if (pages_.empty()) {
        return -1;
    }
    const long at = PositionOf(entry);
    if (at < 0) {
        return static_cast<long>(pages_.front());
    }
    if (static_cast<std::size_t>(at) + 1 < pages_.size()) {
        return static_cast<long>(pages_[at + 1]);
    }
    return loop ? static_cast<long>(pages_.front()) : -1;
}

long PageOrder::Previous(long entry, bool loop) const {
    if (pages_.empty()) {
        return -1;
    }
    const long at = PositionOf(entry);
    if (at < 0) {
        return static_cast<long>(pages_.back());
    }
    if (at > 0) {
        return static_cast<long>(pages_[at - 1]);
    }
    return loop ? static_cast<long>(pages_.back()) : -1;
}

std::vector<std::size_t> PageOrder::ContentsPages(
    const std::vector<DirectoryEntry>& directory) const {
    std::vector<std::size_t> listed;
    for (const std::size_t page : pages_) {
        if (directory[page].inContents != 0) {
            listed.push_back(page);
        }
    }
    return listed;
}

}  // namespace nbx::reader
