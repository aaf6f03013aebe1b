// tamselc new PROJECT --folder SOURCE [E-Book Info] [--output PATH] [--sub-folders]: a new
// project with a new project's defaults, its folder scanned and its pages in the order they
// link to each other, saved to PROJECT.

#include <algorithm>
#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

#include "appmodel/LinkOrderCommand.h"
#include "appmodel/SettingsChecks.h"
#include "cli/Command.h"
#include "cli/ConsolePrompter.h"
#include "cli/ProjectEdit.h"
#include "platform/Paths.h"
#include "project/CTamselDoc.h"
#include "project/ProjectFileWriter.h"
#include "project/SourceFolderScan.h"

namespace nbx::cli {

namespace {

constexpr const char* kUsage =
    "new PROJECT --folder SOURCE [--title TEXT] [--author TEXT] [--copyright TEXT]\n"
    "            [--publisher TEXT] [--email TEXT] [--url TEXT] [--output PATH] [--sub-folders]\n"
    "  Makes a new project with the defaults of a new project, scans SOURCE into its file\n"
    "  list, puts the pages in the order they link to each other (as tamselc files --order\n"
    "  links does) and saves it as PROJECT. The texts are those of Edit E-Book Info; paths\n"
    "  inside PROJECT's folder are stored relative to it, so the folder can move. An existing\n"
    "  PROJECT is never overwritten.\n"
    "  --sub-folders  include the files of SOURCE's sub-folders, named by their path below it";

}  // namespace

const char* NewUsage() {
    return kUsage;
}

int RunNew(const Args& args, Console& console) {
    const struct {
        const char* option;
        std::string ProjectSettings::*field;
    } texts[] = {
        {"--title", &ProjectSettings::title},         {"--author", &ProjectSettings::author},
        {"--copyright", &ProjectSettings::copyright}, {"--publisher", &ProjectSettings::publisher},
        {"--email", &ProjectSettings::authorEmail},   {"--url", &ProjectSettings::authorUrl},
    };
    std::vector<std::pair<std::string ProjectSettings::*, std::string>> given;
    std::optional<std::string> path, folder, output;
    bool subFolders = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        const auto text = std::find_if(std::begin(texts), std::end(texts),
                                       [&a](const auto& t) { return a == t.option; });
        if (text != std::end(texts) && hasValue) {
            given.emplace_back(text->field, args[++i]);
        } else if (a == "--folder" && hasValue) {
            folder = args[++i];
        } else if (a == "--output" && hasValue) {
            output = args[++i];
        } else if (a == "--sub-folders") {
            subFolders = true;
        } else if (!path && !a.starts_with("--")) {
            path = a;
        } else {
            return UsageError(console, kUsage);
        }
    }
    if (!path || !folder) {
        return UsageError(console, kUsage);
    }
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(*path, ec))) {
        Refuse(console, "new", *path + " already exists");
        return 1;
    }
    if (!platform::FolderExists(*folder)) {
        Refuse(console, "new", "the folder " + *folder + " does not exist");
        return 1;
    }

    ConsolePrompter prompter(console);
    CTamselDoc doc;
    Project& project = doc.project();
    for (const auto& [field, value] : given) {
        project.*field = value;
    }
    if (const auto problem = CheckEBookInfoSettings(project)) {
        Refuse(console, "new", problem->message);
        return 1;
    }
    if (output) {
        project.outputExe = AbsolutePath(*output);
    }
    project.includeSubFolders = subFolders;
    ScanChosenFolder(project, ChosenFolder(*folder), prompter);
    OrderFilesByLinks(project);
    KeepPathsRelativeBelow(project,
                           std::filesystem::path(AbsolutePath(*path)).parent_path().string());
    return doc.OnSaveDocument(*path, prompter) ? 0 : 1;
}

}  // namespace nbx::cli
