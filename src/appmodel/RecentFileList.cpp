#include "appmodel/RecentFileList.h"

#include <algorithm>

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
    bool ok = true;
    for (std::size_t i = 0; i < kMaxEntries; ++i) {
        const std::string value = i < entries_.size() ? entries_[i] : std::string();
        ok = platform::WriteProfileString(kCompilerProfileFile, kSection, Key(i), value) && ok;
    }
    return ok;
}

}  // namespace nbx
