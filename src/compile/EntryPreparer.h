#pragma once
// Packs content files ahead of the writer on worker threads, so a build uses every core
// while the entries still go into the content file one after another, in list order, with
// the same bytes AppendEntry writes.
//
// Only files up to kPrepareLimit bytes are prepared, and only a few entries ahead of the
// writer, so memory stays small whatever the size of the book; a larger file (or one that
// could not be read ahead) is left to AppendEntry.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "format/DirectoryEntry.h"
#include "platform/FileHandle.h"

namespace nbx {

struct PreparedEntry {
    bool prepared = false;  // false: append the file with AppendEntry
    std::string stored;     // packed or not, masked
    std::int32_t unpackedLength = 0;
};

class EntryPreparer {
public:
    static constexpr std::uint64_t kPrepareLimit = 4 << 20;
    static constexpr std::size_t kLookAhead = 6;

    // Starts preparing paths in order. workers 0 prepares nothing (every Take is unprepared).
    EntryPreparer(std::vector<std::string> paths, unsigned workers);
    ~EntryPreparer();
    EntryPreparer(const EntryPreparer&) = delete;
    EntryPreparer& operator=(const EntryPreparer&) = delete;

    // Waits for entry index (taken in ascending order) and hands it over.
    PreparedEntry Take(std::size_t index);

private:
    void Work();

    std::vector<std::string> paths_;
    std::vector<PreparedEntry> results_;
    std::vector<bool> done_;
    std::size_t next_ = 0;   // the next path a worker takes
    std::size_t taken_ = 0;  // entries handed to the writer
    bool stopping_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::thread> workers_;
};

// Prepares one file the way AppendEntry stores it; prepared false when it is too large or
// cannot be read.
PreparedEntry PrepareEntry(const std::string& path);

// Appends prepared data to the content file and the entry to the directory, like AppendEntry.
bool AppendPreparedEntry(platform::FileHandle& content, PreparedEntry& prepared,
                         DirectoryEntry entry, std::vector<DirectoryEntry>& directory);

// The worker count for this machine: one per core, at most 4.
unsigned DefaultPackingWorkers();

}  // namespace nbx
