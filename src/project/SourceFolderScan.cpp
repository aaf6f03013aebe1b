#include "project/SourceFolderScan.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string_view>
#include <unordered_map>

#include "common/Prompter.h"
#include "platform/AsciiText.h"
#include "platform/Paths.h"
#include "project/EntryName.h"
#include "project/HtmlTitle.h"

namespace nbx {

namespace {

enum class ItemKind { File, Folder, Other };

// A link counts as the file it points to; a link to a folder is not followed (so a tree
// walk cannot loop) and a dangling one is skipped.
ItemKind KindOf(int dirFd, const dirent& item) {
    if (item.d_type == DT_REG) {
        return ItemKind::File;
    }
    if (item.d_type == DT_DIR) {
        return ItemKind::Folder;
    }
    if (item.d_type != DT_LNK && item.d_type != DT_UNKNOWN) {
        return ItemKind::Other;
    }
    struct stat st {};
    if (::fstatat(dirFd, item.d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
        return ItemKind::Other;
    }
    if (S_ISDIR(st.st_mode)) {
        return ItemKind::Folder;
    }
    if (S_ISLNK(st.st_mode) &&
        (::fstatat(dirFd, item.d_name, &st, 0) != 0 || !S_ISREG(st.st_mode))) {
        return ItemKind::Other;
    }
    return S_ISREG(st.st_mode) ? ItemKind::File : ItemKind::Other;
}

bool IsDotName(std::string_view name) {
    return !name.empty() && name.front() == '.';
}

// Lists one folder (an open descriptor, which this takes over). Files become names below the
// source folder, prefix + name. Sub-folders are entered when `walk` is set; otherwise only
// the files below them are counted into leftOut. Inside a walked tree, names beginning with
// a full stop (hidden on this system) are skipped.
void ListFolder(int fd, const std::string& prefix, bool walk, bool topLevel,
                std::vector<std::string>& names, std::size_t& leftOut) {
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return;
    }
    std::vector<std::string> folders;
    while (const dirent* item = ::readdir(dir)) {
        const std::string_view name = item->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        const ItemKind kind = KindOf(::dirfd(dir), *item);
        // Hidden folders are never entered nor counted; the flat scan of the top folder keeps
        // its old rule and takes every file there, hidden or not.
        if (IsDotName(name) && (kind == ItemKind::Folder || walk || !topLevel)) {
            continue;
        }
        if (kind == ItemKind::File) {
            if (walk || topLevel) {
                names.push_back(prefix + std::string(name));
            } else {
                ++leftOut;
            }
        } else if (kind == ItemKind::Folder) {
            folders.emplace_back(name);
        }
    }
    const int dirFd = ::dirfd(dir);
    for (const std::string& folder : folders) {
        const int sub =
            ::openat(dirFd, folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (sub >= 0) {
            ListFolder(sub, prefix + folder + platform::kSeparator, walk, false, names, leftOut);
        }
    }
    ::closedir(dir);
}

}  // namespace

void FillFromDisk(SourceFile& entry) {
    entry.title.clear();
    entry.description.clear();
    entry.keywords.clear();
    entry.orderKey.clear();
    entry.searchable = entry.inContents = entry.excluded = entry.preprocess = 0;
    if (entry.path.empty() || !IsHtmlName(entry.path)) {
        return;
    }
    entry.title = ExtractHtmlTitle(entry.path);
    if (!entry.title.empty()) {
        entry.searchable = entry.inContents = 1;
    }
}

bool ReadFolderFiles(Project& project, const std::string& folder, Prompter& prompter,
                     std::size_t* leftOut) {
    BusyScope busy(prompter);
    const std::vector<SourceFile> kept = std::move(project.files);
    project.files.clear();
    if (leftOut) {
        *leftOut = 0;
    }

    std::string base = folder;
    if (base.empty() || base.back() != platform::kSeparator) {
        base += platform::kSeparator;
    }
    const int fd = ::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    std::vector<std::string> names;
    std::size_t skipped = 0;
    ListFolder(fd, {}, project.includeSubFolders, true, names, skipped);
    if (leftOut) {
        *leftOut = skipped;
    }

    // A file still in the folder takes the settings of the last old entry of its name (its
    // name in the book, which is its path below the folder when sub-folders are included).
    ProjectSettings keyed;
    keyed.includeSubFolders = project.includeSubFolders;
    keyed.sourceFolder = base;
    std::unordered_map<std::string, const SourceFile*> known;
    known.reserve(kept.size());
    for (const SourceFile& f : kept) {
        known[project.includeSubFolders ? EntryNameOf(keyed, f) : platform::DisplayName(f.path)] =
            &f;
    }

    project.files.reserve(names.size());
    for (const std::string& name : names) {
        SourceFile entry;
        const auto old = known.find(name);
        if (old != known.end()) {
            entry = *old->second;
            entry.path = base + name;
        } else {
            entry.path = base + name;
            FillFromDisk(entry);
        }
        project.files.push_back(std::move(entry));
    }
    return true;
}

void RescanSourceFolder(Project& project, bool showEmptyMessage, Prompter& prompter) {
    if (project.sourceFolder.empty()) {
        return;
    }
    std::size_t leftOut = 0;
    ReadFolderFiles(project, project.sourceFolder, prompter, &leftOut);
    project.SetModified();
    if (leftOut > 0 && showEmptyMessage) {
        prompter.Show(LeftOutMessage(leftOut), MessageIcon::Information);
    }
    if (project.files.empty()) {
        if (showEmptyMessage) {
            prompter.Show("You selected an empty folder - there are no files in your E-Book!");
        }
        return;
    }
    const std::string output = ToUpperAscii(project.outputExe);
    const std::string rebrander = ToUpperAscii(project.rebranderExe);
    for (SourceFile& f : project.files) {
        if (f.excluded || f.path.empty()) {
            continue;
        }
        const std::string path = ToUpperAscii(f.path);
        const char* reason = nullptr;
        if (path == output) {
            reason = " has been Excluded from the E-Book, as this is the Output E-Book EXE file.";
        } else if (path == rebrander) {
            reason =
                " has been Excluded from the E-Book, as this is the Output Rebrander EXE file.";
        }
        if (reason) {
            f.excluded = 1;
            prompter.Show(platform::DisplayName(f.path) + reason, MessageIcon::Information);
        }
    }
}

std::string LeftOutMessage(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " file" : " files") +
           " in sub-folders of the source folder " + (count == 1 ? "was" : "were") +
           " left out of the E-Book. To take them in, turn on \"Include sub-folders\" for "
           "this project and scan the folder again.";
}

void ScanChosenFolder(Project& project, std::string folder, Prompter& prompter) {
    project.sourceFolder = std::move(folder);
    RescanSourceFolder(project, true, prompter);
}

}  // namespace nbx
