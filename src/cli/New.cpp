// tamselc new PROJECT --folder SOURCE [--title T] [--author A] [--output PATH] [--sub-folders]:
// a new project with a new project's defaults, its folder scanned, saved to PROJECT.

#include <filesystem>
#include <iostream>
#include <optional>

#include "appmodel/SettingsChecks.h"
#include "cli/Command.h"
#include "cli/ConsolePrompter.h"
#include "cli/ProjectEdit.h"
#include "platform/Paths.h"
#include "project/CTamselDoc.h"
#include "project/SourceFolderScan.h"

namespace nbx::cli {

namespace {

constexpr const char* kUsage =
    "new PROJECT --folder SOURCE [--title TEXT] [--author TEXT] [--output PATH] "
    "[--sub-folders]\n"
    "  Makes a new project with the defaults of a new project, scans SOURCE into its file\n"
    "  list and saves it as PROJECT. An existing PROJECT is never overwritten.\n"
    "  --sub-folders  include the files of SOURCE's sub-folders, named by their path below it";

}  // namespace

int RunNew(const Args& args) {
    if (PrintedHelp(args, kUsage)) {
        return 0;
    }
    std::optional<std::string> path, folder, title, author, output;
    bool subFolders = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--folder" && hasValue) {
            folder = args[++i];
        } else if (a == "--title" && hasValue) {
            title = args[++i];
        } else if (a == "--author" && hasValue) {
            author = args[++i];
        } else if (a == "--output" && hasValue) {
            output = args[++i];
        } else if (a == "--sub-folders") {
            subFolders = true;
        } else if (!path && !a.starts_with("--")) {
            path = a;
        } else {
            return UsageError(kUsage);
        }
    }
    if (!path || !folder) {
        return UsageError(kUsage);
    }
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(*path, ec))) {
        Refuse("new", *path + " already exists");
        return 1;
    }
    if (!platform::FolderExists(*folder)) {
        Refuse("new", "the folder " + *folder + " does not exist");
        return 1;
    }

    ConsolePrompter prompter;
    CTamselDoc doc;
    Project& project = doc.project();
    if (title) {
        project.title = *title;
    }
    if (author) {
        project.author = *author;
    }
    if (const auto problem = CheckEBookInfoSettings(project)) {
        Refuse("new", problem->message);
        return 1;
    }
    if (output) {
        project.outputExe = AbsolutePath(*output);
    }
    project.includeSubFolders = subFolders ? 1 : 0;
    ScanChosenFolder(project, ChosenFolder(*folder), prompter);
    project.SortFiles();
    return doc.OnSaveDocument(*path, prompter) ? 0 : 1;
}

}  // namespace nbx::cli
