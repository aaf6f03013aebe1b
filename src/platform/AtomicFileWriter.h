#pragma once
// Writes a file so that a crash or a failed write never leaves it half-written: the bytes go
// to a temporary file in the same folder, which replaces the target only on Commit(). A
// target that is a symbolic link is written where the link leads; the link stays.
//
// A target the user may write in a folder the user may not write to cannot be replaced by a
// rename: its new bytes are then completed in the system temporary folder and copied over it
// in place on Commit().

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/TempFiles.h"

namespace nbx::platform {

class FileHandle;

class AtomicFileWriter {
public:
    // What a target that does not exist yet becomes: a document (read and write) or a
    // program (also executable); either filtered by the umask.
    enum class Kind { Document, Program };

    // What a target that is a symbolic link gets: the new bytes where it leads (an author's
    // link), or the link itself replaced by the new file (a folder that others may have
    // planted links in).
    enum class Links { Follow, Replace };

    explicit AtomicFileWriter(std::string targetPath, Kind kind = Kind::Document,
                              Links links = Links::Follow);
    ~AtomicFileWriter();  // removes the temporary file unless committed
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file, after removing the working files that killed writers of this
    // target left behind. False with error() set when neither the folder nor the target is
    // writable.
    bool Open();
    bool Write(const void* data, std::size_t size);
    bool Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
    // Appends length bytes of source from offset, copied by the system where it can (no trip
    // through this process's memory). False with error() set when a read or write fails or
    // the source ends first.
    bool CopyFrom(FileHandle& source, std::uint64_t offset, std::uint64_t length);
    // Flushes to disk and renames over the target; the target keeps its permission bits
    // when it existed before.
    bool Commit();
    // Commit renames without waiting for the disk: a crash of the program still never leaves
    // a half-written target, but a crash of the system may. For many files written in a row
    // that FlushToDisk settles together.
    void DeferDiskFlush() { syncOnCommit_ = false; }

    int error() const { return error_; }
    // The file being written; a caller may also write it by name between Open and Commit.
    const std::string& tempPath() const { return tempPath_; }
    // The file Commit replaces: the target, or where its symbolic link leads.
    const std::string& targetPath() const { return target_; }

private:
    bool Flush();
    bool CopyOverTarget();

    std::string target_;
    Kind kind_;
    int noFollow_ = 0;      // O_NOFOLLOW when links are replaced
    bool inPlace_ = false;  // Commit copies over the target instead of renaming
    std::string tempPath_;
    std::string buffer_;
    int fd_ = -1;
    int error_ = 0;
    bool committed_ = false;
    bool syncOnCommit_ = true;
    WorkingFileLock lock_;  // on the temporary file until it is committed or removed
};

// Flushes files (and their folders) to disk, for files committed with DeferDiskFlush. False
// when one could not be opened or flushed; the others are flushed all the same.
bool FlushToDisk(const std::vector<std::string>& paths);

// The whole file in one call. errorCode receives the errno of a failure.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, int& errorCode);

}  // namespace nbx::platform
