#include "cli/ExtractFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/FileRangeCopy.h"

namespace nbx::cli {

namespace {
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
}

ExtractFolder::~ExtractFolder() {
    for (const auto& [name, fd] : folders_) {
        ::close(fd);
    }
}

bool ExtractFolder::Open(const std::string& root) {
    std::error_code ec;
    std::filesystem::create_directories(root, ec);
    // The root is the one path followed as given: the caller named it.
    const int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        error_ = errno;
        return false;
    }
    folders_.emplace("", fd);
    return true;
}

int ExtractFolder::Folder(std::string_view relative, Outcome& why) {
    if (const auto it = folders_.find(relative); it != folders_.end()) {
        return it->second;
    }
    const std::size_t cut = relative.rfind('/');
    const std::string_view parentName = cut == relative.npos ? "" : relative.substr(0, cut);
    const int parent = Folder(parentName, why);
    if (parent < 0) {
        return -1;
    }
    const std::string leaf(cut == relative.npos ? relative : relative.substr(cut + 1));
    int fd = ::openat(parent, leaf.c_str(), kFolderFlags);
    if (fd < 0 && errno == ENOENT) {
        if (::mkdirat(parent, leaf.c_str(), 0777) != 0 && errno != EEXIST) {
            error_ = errno;
            why = Outcome::Failed;
            return -1;
        }
        fd = ::openat(parent, leaf.c_str(), kFolderFlags);
    }
    if (fd < 0) {
        error_ = errno;
        struct stat st {};
        const bool link =
            ::fstatat(parent, leaf.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode);
        why = link ? Outcome::LinkInTheWay : Outcome::Failed;
        return -1;
    }
    folders_.emplace(std::string(relative), fd);
    return fd;
}

ExtractFolder::Outcome ExtractFolder::Write(std::string_view name, std::string_view bytes) {
    const std::size_t cut = name.rfind('/');
    Outcome why = Outcome::Failed;
    const int folder = Folder(cut == name.npos ? "" : name.substr(0, cut), why);
    if (folder < 0) {
        return why;
    }
    const std::string leaf(cut == name.npos ? name : name.substr(cut + 1));
    return WriteFile(folder, leaf, bytes) ? Outcome::Written : Outcome::Failed;
}

bool ExtractFolder::WriteFile(int folder, const std::string& leaf, std::string_view bytes) {
    const int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    int fd = ::openat(folder, leaf.c_str(), flags, 0666);
    std::string temporary;
    if (fd < 0 && errno == EEXIST) {
        // Something is there already: only a file or a link is replaced, and by a rename, so
        // that nothing is written through it.
        struct stat st {};
        if (::fstatat(folder, leaf.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            error_ = errno;
            return false;
        }
        if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) {
            error_ = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
            return false;
        }
        do {
            temporary = "." + leaf.substr(0, 100) + "." + std::to_string(::getpid()) + "_" +
                        std::to_string(++counter_) + ".tmp";
            fd = ::openat(folder, temporary.c_str(), flags, 0666);
        } while (fd < 0 && errno == EEXIST);
        if (fd >= 0 && S_ISREG(st.st_mode)) {
            ::fchmod(fd, st.st_mode & 07777);  // a replaced file keeps its permissions
        }
    }
    if (fd < 0) {
        error_ = errno;
        return false;
    }
    bool ok = platform::WriteFully(fd, bytes.data(), bytes.size(), error_);
    if (::close(fd) != 0 && ok) {
        error_ = errno;
        ok = false;
    }
    if (ok && !temporary.empty() &&
        ::renameat(folder, temporary.c_str(), folder, leaf.c_str()) != 0) {
        error_ = errno;
        ok = false;
    }
    if (!ok) {
        ::unlinkat(folder, temporary.empty() ? leaf.c_str() : temporary.c_str(), 0);
    }
    return ok;
}

}  // namespace nbx::cli
