#pragma once
// The File menu's list of recently opened or saved projects, newest first, at most nine.
// It lives in the compiler's own profile file ("tamsel.ini", section "Recent File List",
// keys "File1" to "File9") in the configuration folder.

#include <cstddef>
#include <string>
#include <vector>

namespace nbx {

class RecentFileList {
public:
    static constexpr std::size_t kMaxEntries = 9;

    const std::vector<std::string>& entries() const { return entries_; }

    // Puts path first; an entry with the same path (compared exactly) moves rather than
    // doubles; the oldest falls off past nine.
    void Add(const std::string& path);
    // Drops path, e.g. after it could not be opened.
    void Remove(const std::string& path);

    // Reads and writes the profile file; empty keys are skipped on reading.
    void Load();
    bool Save() const;

private:
    std::vector<std::string> entries_;
};

}  // namespace nbx
