#include "compile/EntryPreparer.h"

#include <algorithm>

#include "format/EntryWriter.h"
#include "format/Packer.h"
#include "format/RecordFormat.h"

namespace nbx {

namespace {

constexpr std::uint64_t kWordMax = 0x7FFFFFFF;
constexpr std::uint64_t kSmallestWorthPacking = kMinPackingSaving + 3;

void Mask(std::string& bytes) {
    for (char& c : bytes) {
        c = static_cast<char>(c ^ record::kEntryMask);
    }
}

}  // namespace

PreparedEntry PrepareEntry(const std::string& path) {
    PreparedEntry out;
    platform::FileHandle source;
    if (!source.Open(path, platform::FileHandle::Mode::ReadRegular)) {
        return out;
    }
    const std::int64_t size = source.Size();
    if (size < 0 || static_cast<std::uint64_t>(size) > EntryPreparer::kPrepareLimit) {
        return out;
    }
    std::string data(static_cast<std::size_t>(size), '\0');
    if (size > 0 && !source.ReadAt(0, data.data(), data.size())) {
        return out;
    }
    if (data.size() >= kSmallestWorthPacking) {
        std::string packed = PackBytes(data);
        if (data.size() >= packed.size() + kMinPackingSaving) {
            out.unpackedLength = static_cast<std::int32_t>(data.size());
            out.stored = std::move(packed);
        }
    }
    if (out.unpackedLength == 0) {
        out.stored = std::move(data);
    }
    Mask(out.stored);
    out.prepared = true;
    return out;
}

bool AppendPreparedEntry(platform::FileHandle& content, PreparedEntry& prepared,
                         DirectoryEntry entry, std::vector<DirectoryEntry>& directory) {
    std::uint64_t start = 0;
    bool ok = content.SeekToEnd(start) && start <= kWordMax &&
              content.Write(prepared.stored.data(), prepared.stored.size());
    entry.offset = static_cast<std::int32_t>(std::min(start, kWordMax));
    entry.storedLength = static_cast<std::int32_t>(prepared.stored.size());
    entry.unpackedLength = prepared.unpackedLength;
    directory.push_back(std::move(entry));
    return ok;
}

unsigned DefaultPackingWorkers() {
    return std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
}

EntryPreparer::EntryPreparer(std::vector<std::string> paths, unsigned workers)
    : paths_(std::move(paths)), results_(paths_.size()), done_(paths_.size(), false) {
    if (workers == 0) {
        std::fill(done_.begin(), done_.end(), true);
        next_ = paths_.size();
        return;
    }
    for (unsigned i = 0; i < workers; ++i) {
        workers_.emplace_back(&EntryPreparer::Work, this);
    }
}

EntryPreparer::~EntryPreparer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (auto& worker : workers_) {
        worker.join();
    }
}

void EntryPreparer::Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] {
            return stopping_ || next_ >= paths_.size() || next_ < taken_ + kLookAhead;
        });
        if (stopping_ || next_ >= paths_.size()) {
            return;
        }
        const std::size_t index = next_++;
        lock.unlock();
        PreparedEntry prepared = PrepareEntry(paths_[index]);
        lock.lock();
        results_[index] = std::move(prepared);
        done_[index] = true;
        changed_.notify_all();
    }
}

PreparedEntry EntryPreparer::Take(std::size_t index) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this, index] { return index >= done_.size() || done_[index]; });
    PreparedEntry out;
    if (index < results_.size()) {
        out = std::move(results_[index]);
    }
    taken_ = std::max(taken_, index + 1);
    changed_.notify_all();
    return out;
}

}  // namespace nbx
