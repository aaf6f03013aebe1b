#include "compile/EntryPreparer.h"

#include <sys/stat.h>

#include <algorithm>

#include "format/ByteSink.h"
#include "format/EntryWriter.h"
#include "format/PackedFormat.h"
#include "format/PackedJoiner.h"
#include "format/Packer.h"
#include "format/RecordFormat.h"

namespace nbx {

namespace {

using record::kWordMax;
// With kBytesInFlight, this keeps a build within 64 MB on any machine.
constexpr unsigned kMaxWorkers = 16;

void Mask(std::string& bytes) {
    for (char& c : bytes) {
        c = static_cast<char>(c ^ record::kEntryMask);
    }
}

// Opens path and checks that it still has the size it was planned with.
bool OpenPlanned(const std::string& path, std::uint64_t size, platform::FileHandle& source) {
    return source.Open(path, platform::FileHandle::Mode::ReadRegular) &&
           source.Size() == static_cast<std::int64_t>(size);
}

// True when nothing follows byte `size`: the file did not grow while it was read.
bool EndsAt(platform::FileHandle& source, std::uint64_t size) {
    char extra = 0;
    return source.Seek(size) && source.Read(&extra, 1) == 0;
}

}  // namespace

struct EntryPreparer::Plan {
    bool readable = false;  // false: AppendEntry reads it (and reports it)
    std::uint64_t size = 0;
    std::size_t pieces = 0;
    bool abandoned = false;  // the writer needs no more of its pieces
};

struct EntryPreparer::Job {
    std::size_t file = 0;
    std::size_t piece = 0;
    std::uint64_t start = 0;
    std::uint64_t length = 0;
    bool done = false;
    bool ok = false;
    // A whole file: its stored bytes, masked, and the unpacked length (0: stored as it is).
    std::string stored;
    std::int32_t unpackedLength = 0;
    // A piece of a larger file: its packed bits.
    PackedPiece packed;
};

unsigned PackingWorkersFor(unsigned cores) {
    if (cores == 0) {
        cores = std::thread::hardware_concurrency();
    }
    // On one core the writer packs as it goes; workers would only take turns with it.
    return cores <= 1 ? 0 : std::min(cores, kMaxWorkers);
}

EntryPreparer::EntryPreparer(std::vector<std::string> paths, unsigned workers)
    : paths_(std::move(paths)), plans_(paths_.size()) {
    for (unsigned i = 0; i < std::min(workers, kMaxWorkers); ++i) {
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

bool EntryPreparer::HasWorkLeft() const {
    return planned_ < paths_.size() || (planned_ > 0 && nextPiece_ < plans_[planned_ - 1].pieces);
}

bool EntryPreparer::MayClaim() const {
    return jobs_.empty() || (bytesInFlight_ < kBytesInFlight && jobs_.size() < kJobsInFlight);
}

void EntryPreparer::PlanNextFile() {
    Plan& plan = plans_[planned_];
    struct stat st {};
    if (::stat(paths_[planned_].c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= 0) {
        plan.readable = true;
        plan.size = static_cast<std::uint64_t>(st.st_size);
        plan.pieces = plan.size <= kPieceSize ? 1 : (plan.size + kPieceSize - 1) / kPieceSize;
    }
    ++planned_;
    nextPiece_ = 0;
}

EntryPreparer::Job& EntryPreparer::Claim() {
    const std::size_t file = planned_ - 1;
    const Plan& plan = plans_[file];
    Job job;
    job.file = file;
    job.piece = nextPiece_++;
    job.start = job.piece * kPieceSize;
    job.length = plan.pieces == 1 ? plan.size : std::min(kPieceSize, plan.size - job.start);
    job.done = plan.abandoned;
    bytesInFlight_ += job.length;
    jobs_.push_back(std::move(job));
    return jobs_.back();
}

void EntryPreparer::Work() {
    Packer packer;
    std::string input;
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !HasWorkLeft() || MayClaim(); });
        while (!stopping_ && planned_ < paths_.size() &&
               (planned_ == 0 || nextPiece_ >= plans_[planned_ - 1].pieces)) {
            PlanNextFile();
            changed_.notify_all();  // the writer may be waiting for this plan
        }
        if (stopping_ || !HasWorkLeft()) {
            return;
        }
        // References into the deque stay valid while others are added or the writer takes
        // the oldest; this job is taken only once it is done.
        Job& job = Claim();
        if (job.done) {
            changed_.notify_all();  // a piece the writer no longer needs
            continue;
        }
        const std::string& path = paths_[job.file];
        const std::uint64_t size = plans_[job.file].size;
        const bool whole = plans_[job.file].pieces == 1;
        lock.unlock();

        bool ok = false;
        std::string stored;
        std::int32_t unpackedLength = 0;
        PackedPiece piece;
        platform::FileHandle source;
        if (whole) {
            input.resize(static_cast<std::size_t>(size));
            ok = OpenPlanned(path, size, source) &&
                 (size == 0 || source.ReadAt(0, input.data(), input.size())) &&
                 EndsAt(source, size);
            if (ok && size >= kSmallestWorthPacking) {
                packer.Reset();
                packer.Add(input.data(), input.size());
                packer.Finish();
                if (size >= packer.output().size() + kMinPackingSaving) {
                    unpackedLength = static_cast<std::int32_t>(size);
                    stored = std::move(packer.output());
                }
            }
            if (ok && unpackedLength == 0) {
                stored.assign(input);
            }
            Mask(stored);
        } else {
            // The piece and the ring's length before it, which the packer resumes from.
            const std::uint64_t history = std::min<std::uint64_t>(job.start, packed::kRingSize);
            input.resize(static_cast<std::size_t>(history + job.length));
            ok = OpenPlanned(path, size, source) &&
                 source.ReadAt(job.start - history, input.data(), input.size()) &&
                 (job.start + job.length < size || EndsAt(source, size));
            if (ok) {
                packer.Resume(job.start, std::string_view(input).substr(0, history));
                packer.Add(input.data() + history, static_cast<std::size_t>(job.length));
                packer.FinishPiece();
                piece = TakePiece(packer);
            }
        }
        if (input.capacity() > kPieceSize + packed::kRingSize) {
            std::string().swap(input);  // a whole file larger than a piece: do not keep it
        }

        lock.lock();
        job.ok = ok;
        job.stored = std::move(stored);
        job.unpackedLength = unpackedLength;
        job.packed = std::move(piece);
        job.done = true;
        changed_.notify_all();
    }
}

EntryPreparer::Job EntryPreparer::TakeOldest() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !jobs_.empty() && jobs_.front().done; });
    Job job = std::move(jobs_.front());
    jobs_.pop_front();
    bytesInFlight_ -= job.length;
    changed_.notify_all();
    return job;
}

bool EntryPreparer::Append(std::size_t index, platform::FileHandle& content, DirectoryEntry entry,
                           std::vector<DirectoryEntry>& directory) {
    if (workers_.empty() || index >= paths_.size()) {
        return AppendEntry(content, index < paths_.size() ? paths_[index] : std::string(),
                           std::move(entry), directory);
    }
    Plan plan;
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return planned_ > index; });
        plan = plans_[index];
    }
    if (!plan.readable) {
        return AppendEntry(content, paths_[index], std::move(entry), directory);
    }
    if (plan.pieces > 1) {
        return AppendPieces(index, content, entry, directory);
    }
    Job job = TakeOldest();
    std::uint64_t start = 0;
    if (!job.ok || !content.SeekToEnd(start)) {
        return AppendEntry(content, paths_[index], std::move(entry), directory);
    }
    const bool ok = start <= kWordMax && content.Write(job.stored.data(), job.stored.size());
    entry.offset = static_cast<std::int32_t>(std::min(start, kWordMax));
    entry.storedLength =
        static_cast<std::int32_t>(std::min<std::uint64_t>(job.stored.size(), kWordMax));
    entry.unpackedLength = job.unpackedLength;
    directory.push_back(std::move(entry));
    return ok && job.stored.size() <= kWordMax;
}

bool EntryPreparer::AppendPieces(std::size_t index, platform::FileHandle& content,
                                 DirectoryEntry& entry, std::vector<DirectoryEntry>& directory) {
    const std::uint64_t size = plans_[index].size;
    const std::size_t pieces = plans_[index].pieces;
    // The packed form is kept only when it saves enough; past this it cannot.
    const std::uint64_t stopAbove = size - kMinPackingSaving;
    enum class Outcome { Packed, Unpacked, Unread } outcome = Outcome::Packed;
    const auto abandon = [&](Outcome why) {
        outcome = why;
        std::lock_guard lock(mutex_);
        plans_[index].abandoned = true;
    };

    std::uint64_t start = 0;
    const bool positioned = content.SeekToEnd(start);
    if (!positioned) {
        abandon(Outcome::Unread);
    }
    FileSink file(content);
    MaskingSink masked(file, record::kEntryMask);
    PackedJoiner joiner(masked);
    for (std::size_t i = 0; i < pieces; ++i) {
        Job job = TakeOldest();
        if (outcome != Outcome::Packed) {
            continue;
        }
        if (!job.ok || !joiner.Append(job.packed)) {
            abandon(Outcome::Unread);
        } else if (joiner.written() > stopAbove) {
            abandon(Outcome::Unpacked);
        }
    }
    if (outcome == Outcome::Packed) {
        if (!joiner.Finish()) {
            outcome = Outcome::Unread;
        } else if (joiner.written() > stopAbove) {
            outcome = Outcome::Unpacked;
        }
    }
    if (outcome == Outcome::Packed) {
        const bool ok = start <= kWordMax && joiner.written() <= kWordMax && size <= kWordMax;
        entry.offset = static_cast<std::int32_t>(std::min(start, kWordMax));
        entry.storedLength = static_cast<std::int32_t>(std::min(joiner.written(), kWordMax));
        entry.unpackedLength = static_cast<std::int32_t>(size);
        directory.push_back(std::move(entry));
        return ok;
    }
    // Take back what was written; the file goes in as it is, or as one core writes it.
    if (positioned && (!content.Truncate(start) || !content.Seek(start))) {
        directory.push_back(std::move(entry));
        return false;
    }
    if (outcome == Outcome::Unpacked) {
        return AppendEntryUnpacked(content, paths_[index], std::move(entry), directory);
    }
    return AppendEntry(content, paths_[index], std::move(entry), directory);
}

}  // namespace nbx
