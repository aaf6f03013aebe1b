#pragma once
// The search index a build puts into the e-book (the entry "__search.idx"), made from the
// project's searchable pages on a thread of its own while the build packs the files.
//
// Left out, for the reader to index on first use: a page marked for the preprocessor that
// names a variable (the reader fills the variables in, and a Rebrander may change them after
// the build), and a page that cannot be read or is larger than kMaxIndexedPage.

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "format/DirectoryEntry.h"
#include "format/SearchIndexWriter.h"
#include "platform/FileHandle.h"
#include "project/Project.h"

namespace nbx {

struct SearchIndexSource {
    std::string entryName;
    std::string path;
    std::string title;
    std::string keywords;
    bool preprocess = false;
};

// The included HTML files marked searchable, in list order.
std::vector<SearchIndexSource> SearchIndexSources(const Project& project);

class SearchIndexBuild {
public:
    static constexpr std::uint64_t kMaxIndexedPage = 64u << 20;

    // Starts indexing pages.
    explicit SearchIndexBuild(std::vector<SearchIndexSource> pages);
    // Stops at the next page and waits for the thread.
    ~SearchIndexBuild();
    SearchIndexBuild(const SearchIndexBuild&) = delete;
    SearchIndexBuild& operator=(const SearchIndexBuild&) = delete;

    // Waits for the index and appends it to the content working file as the entry
    // "__search.idx", stored as it is. The entry is always there, as the build planned it: an
    // index without pages when none was indexed, or when the index would pass 4 GB or take the
    // content past 2 GB, and the reader then indexes them itself. False when the write fails.
    bool AppendTo(platform::FileHandle& content, std::vector<DirectoryEntry>& directory);

private:
    void Run();

    std::vector<SearchIndexSource> pages_;
    std::atomic<bool> stop_{false};
    SearchIndexWriter writer_;  // the thread's until it ends
    std::thread thread_;
};

}  // namespace nbx
