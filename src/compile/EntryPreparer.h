#pragma once
// Packs content files ahead of the writer on worker threads, so a build uses every core while
// the entries still go into the content file one after another, in list order, with the bytes
// AppendEntry writes on one core.
//
// A file up to kPieceSize bytes is one job; a larger one is cut into pieces of kPieceSize that
// are packed side by side (each resumed from the 8 KB before it) and joined by the writer.
// Jobs are taken in list order and only while the input held by unwritten jobs stays within
// kBytesInFlight, so memory stays small whatever the size of the book. A file that cannot be
// read ahead, or that changes while it is read, is left to AppendEntry, which reports it as a
// one-core build would.

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

class EntryPreparer {
public:
    static constexpr std::uint64_t kPieceSize = 1 << 20;
    static constexpr std::uint64_t kBytesInFlight = 12 << 20;
    static constexpr std::size_t kJobsInFlight = 256;

    // Starts preparing paths in order on `workers` threads; 0 prepares nothing, and Append
    // is AppendEntry.
    EntryPreparer(std::vector<std::string> paths, unsigned workers);
    ~EntryPreparer();
    EntryPreparer(const EntryPreparer&) = delete;
    EntryPreparer& operator=(const EntryPreparer&) = delete;

    // Appends the file of paths[index] to content and the entry to directory, as AppendEntry
    // does. REQUIRES: every index from 0 up, once each, in ascending order.
    bool Append(std::size_t index, platform::FileHandle& content, DirectoryEntry entry,
                std::vector<DirectoryEntry>& directory);

private:
    struct Plan;
    struct Job;

    void Work();
    bool HasWorkLeft() const;
    bool MayClaim() const;
    Job& Claim();
    void PlanNextFile();
    // Waits for the oldest job, takes it off the queue and frees its share of the budget.
    Job TakeOldest();
    bool AppendPieces(std::size_t index, platform::FileHandle& content, DirectoryEntry& entry,
                      std::vector<DirectoryEntry>& directory);

    std::vector<std::string> paths_;
    std::vector<Plan> plans_;
    std::deque<Job> jobs_;             // claimed and not yet written, oldest first
    std::size_t planned_ = 0;          // files planned so far
    std::size_t nextPiece_ = 0;        // the next piece of the last file planned to claim
    std::uint64_t bytesInFlight_ = 0;  // input of the jobs in jobs_
    bool stopping_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::thread> workers_;
};

// The worker count for `cores` cores (0: this machine's): one per core up to 16, none on one
// core.
unsigned PackingWorkersFor(unsigned cores = 0);

}  // namespace nbx
