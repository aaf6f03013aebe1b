#include "project/SourceFolderScan.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <string_view>
#include <unordered_map>

#include "common/AsciiText.h"
#include "common/Prompter.h"
#include "platform/Paths.h"
#include "project/HtmlTitle.h"

namespace nbx {

namespace {

bool IsRegularFile(DIR* dir, const dirent& item) {
    if (item.d_type == DT_REG) {
        return true;
    }
    if (item.d_type != DT_LNK && item.d_type != DT_UNKNOWN) {
        return false;
    }
    // A link counts as what it points to; a dangling one is skipped.
    struct stat st {};
    return ::fstatat(::dirfd(dir), item.d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
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

bool ReadFolderFiles(Project& project, const std::string& folder, Prompter& prompter) {
    BusyScope busy(prompter);
    const std::vector<SourceFile> kept = std::move(project.files);
    project.files.clear();

    std::string base = folder;
    if (base.empty() || base.back() != platform::kSeparator) {
        base += platform::kSeparator;
    }
    DIR* dir = ::opendir(base.c_str());
    if (!dir) {
        return false;
    }

    // A file still in the folder takes the settings of the last old entry of its name.
    std::unordered_map<std::string, const SourceFile*> known;
    known.reserve(kept.size());
    for (const SourceFile& f : kept) {
        known[platform::DisplayName(f.path)] = &f;
    }

    while (const dirent* item = ::readdir(dir)) {
        if (!IsRegularFile(dir, *item)) {
            continue;
        }
        const std::string_view name = item->d_name;
        SourceFile entry;
        const auto old = known.find(std::string(name));
        if (old != known.end()) {
            entry = *old->second;
            entry.path = base;
            entry.path += name;
        } else {
            entry.path = base;
            entry.path += name;
            FillFromDisk(entry);
        }
        project.files.push_back(std::move(entry));
    }
    ::closedir(dir);
    return true;
}

void RescanSourceFolder(Project& project, bool showEmptyMessage, Prompter& prompter) {
    if (project.sourceFolder.empty()) {
        return;
    }
    ReadFolderFiles(project, project.sourceFolder, prompter);
    project.SetModified();
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

void ScanChosenFolder(Project& project, std::string folder, Prompter& prompter) {
    project.sourceFolder = std::move(folder);
    RescanSourceFolder(project, true, prompter);
}

}  // namespace nbx
