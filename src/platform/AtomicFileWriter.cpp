#include "platform/AtomicFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/FileHandle.h"
#include "platform/FileRangeCopy.h"
#include "platform/OpenDescriptor.h"
#include "platform/Paths.h"
#include "platform/TempFiles.h"

namespace nbx::platform {

namespace {
constexpr std::size_t kBufferSize = 1 << 20;

void SyncFolder(const std::string& folder) {
    const int dirFd =
        OpenDescriptor(folder.empty() ? "." : folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}
}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string targetPath, Kind kind, Links links)
    : target_(std::move(targetPath)),
      kind_(kind),
      noFollow_(links == Links::Replace ? O_NOFOLLOW : 0) {
    // Renaming over a symbolic link would replace the link with a plain file; the new bytes
    // belong where the link leads, so the temporary file is made in that folder.
    struct stat st {};
    if (noFollow_ == 0 && ::lstat(target_.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* resolved = ::realpath(target_.c_str(), nullptr)) {
            target_ = resolved;
            std::free(resolved);
        }
    }
}

AtomicFileWriter::~AtomicFileWriter() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    if (!committed_) {
        RemoveFileQuietly(tempPath_);
    }
}

bool AtomicFileWriter::Open() {
    std::string folder = FolderPartOfPath(target_);
    if (folder.empty()) {
        folder = ".";
    }
    // Only a regular file is replaced: a rename over a device or a pipe would put a plain
    // file in its place.
    struct stat st {};
    if ((noFollow_ ? ::lstat : ::stat)(target_.c_str(), &st) == 0 && !S_ISREG(st.st_mode) &&
        !(noFollow_ && S_ISLNK(st.st_mode))) {
        error_ = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    const std::string prefix = SiblingWorkingFilePrefix(FileNameOfPath(target_));
    RemoveAbandonedWorkingFiles(folder, prefix);
    const mode_t mode = kind_ == Kind::Program ? 0777 : 0644;
    tempPath_ = CreateUniqueFile(folder, prefix, error_, mode);
    if (tempPath_.empty() && (error_ == EACCES || error_ == EPERM)) {
        // The folder refuses new files; the target itself may still take new bytes.
        const int probe =
            OpenDescriptor(target_, O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | noFollow_);
        if (probe >= 0) {
            ::close(probe);
            inPlace_ = true;
            RemoveAbandonedWorkingFiles(TempFolder(), prefix);
            tempPath_ = CreateTempFile(prefix, error_, mode);
        }
    }
    if (tempPath_.empty()) {
        return false;
    }
    fd_ = OpenDescriptor(tempPath_, O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd_ < 0) {
        error_ = errno;
        return false;
    }
    lock_.Lock(tempPath_);
    buffer_.reserve(kBufferSize);
    return true;
}

bool AtomicFileWriter::Flush() {
    if (!WriteFully(fd_, buffer_.data(), buffer_.size(), error_)) {
        return false;
    }
    buffer_.clear();
    return true;
}

bool AtomicFileWriter::Write(const void* data, std::size_t size) {
    if (fd_ < 0 || error_ != 0) {
        return false;
    }
    if (buffer_.size() + size > kBufferSize && !Flush()) {
        return false;
    }
    if (size >= kBufferSize) {
        buffer_.assign(static_cast<const char*>(data), size);
        return Flush();
    }
    buffer_.append(static_cast<const char*>(data), size);
    return true;
}

bool AtomicFileWriter::CopyFrom(FileHandle& source, std::uint64_t offset, std::uint64_t length) {
    if (fd_ < 0 || error_ != 0 || !Flush()) {
        return false;
    }
    return CopyFileRange(source.descriptor(), offset, fd_, length, error_);
}

bool AtomicFileWriter::Commit() {
    if (fd_ < 0 || error_ != 0 || !Flush()) {
        return false;
    }
    struct stat st {};
    if ((noFollow_ ? ::lstat : ::stat)(target_.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        ::fchmod(fd_, st.st_mode & 07777);
    }
    if (syncOnCommit_ && ::fsync(fd_) != 0) {
        error_ = errno;
        return false;
    }
    if (!syncOnCommit_) {
        // Not waited for, but started now rather than whenever the system gets to it.
        ::sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE);
    }
    const int rc = ::close(fd_);
    fd_ = -1;
    if (rc != 0) {
        error_ = errno;
        return false;
    }
    if (inPlace_) {
        return CopyOverTarget();
    }
#ifdef _WIN32
    // Windows replaces no file that is open (a Rebrander holds its e-book open): its bytes
    // are then written over from the complete copy beside it.
    const int renamed = RenameReplacing(tempPath_.c_str(), target_.c_str());
    if (renamed != 0 && errno == EACCES) {
        return CopyOverTarget();
    }
    if (renamed != 0) {
#else
    if (::rename(tempPath_.c_str(), target_.c_str()) != 0) {
#endif
        error_ = errno;
        return false;
    }
    committed_ = true;
    // The rename lives in the folder; without this a power cut could bring the old file back.
    if (syncOnCommit_) {
        SyncFolder(FolderPartOfPath(target_));
    }
    return true;
}

bool AtomicFileWriter::CopyOverTarget() {
    FileHandle from;
    if (!from.Open(tempPath_, FileHandle::Mode::Read)) {
        error_ = from.error();
        return false;
    }
    const std::int64_t size = from.Size();
    const int to = OpenDescriptor(target_, O_WRONLY | O_CLOEXEC | O_NOCTTY | noFollow_);
    if (size < 0 || to < 0) {
        error_ = size < 0 ? from.error() : errno;
        return false;
    }
    fd_ = to;
    // The target's old bytes are lost from here on; the new ones are complete beside.
    bool ok = CopyFrom(from, 0, static_cast<std::uint64_t>(size)) && Flush();
    if (ok && (::ftruncate(fd_, size) != 0 || (syncOnCommit_ && ::fsync(fd_) != 0))) {
        error_ = errno;
        ok = false;
    }
    fd_ = -1;
    if (::close(to) != 0 && ok) {
        error_ = errno;
        ok = false;
    }
    return ok;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, int& errorCode) {
    AtomicFileWriter writer(path);
    const bool ok = writer.Open() && writer.Write(bytes) && writer.Commit();
    errorCode = ok ? 0 : writer.error();
    return ok;
}

bool FlushToDisk(const std::vector<std::string>& paths) {
    bool ok = true;
    std::vector<std::string> folders;
    for (const auto& path : paths) {
        const int fd = OpenDescriptor(path, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        ok = fd >= 0 && ::fsync(fd) == 0 && ok;
        if (fd >= 0) {
            ::close(fd);
        }
        folders.push_back(FolderPartOfPath(path));
    }
    std::sort(folders.begin(), folders.end());
    folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
    for (const auto& folder : folders) {
        SyncFolder(folder);
    }
    return ok;
}

}  // namespace nbx::platform
