#include "appmodel/RecentFileList.h"

#include <algorithm>
#include <iterator>

#include "appmodel/CompilerProfile.h"
#include "platform/ProfileFile.h"

namespace nbx {

namespace {
constexpr const char* kSection = "Recent File List";

std::string Key(std::size_t index) {
    return "File" + std::to_string(index + 1);
}
}  // namespace

void RecentFileList::Add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    Remove(path);
    entries_.insert(entries_.begin(), path);
    if (entries_.size() > kMaxEntries) {
        entries_.resize(kMaxEntries);
    }
}

void RecentFileList::Remove(const std::string& path) {
    entries_.erase(std::remove(entries_.begin(), entries_.end(), path), entries_.end());
}

void RecentFileList::Load() {
    entries_.clear();
    for (std::size_t i = 0; i < kMaxEntries; ++i) {
        std::string path = platform::ReadProfileString(kCompilerProfileFile, kSection, Key(i), "");
        if (!path.empty() && std::find(entries_.begin(), entries_.end(), path) == entries_.end()) {
            entries_.push_back(std::move(path));
        }
    }
}

bool RecentFileList::Save() const {
    // A path with a line break in it (a file name may hold one) cannot be a line of the
    // profile; it is left out rather than leave the key it would have had to an older entry.
    std::vector<std::string> kept;
    std::copy_if(entries_.begin(), entries_.end(), std::back_inserter(kept),
                 [](const std::string& path) { return platform::FitsProfileLine(path); });
    bool ok = true;
    for (std::size_t i = 0; i < kMaxEntries; ++i) {
        const std::string value = i < kept.size() ? kept[i] : std::string();
        ok = platform::WriteProfileString(kCompilerProfileFile, kSection, Key(i), value) && ok;
    }
    return ok;
}

}  // namespace nbx
