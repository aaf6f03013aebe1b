// tamselc scan PROJECT [--folder DIR]: brings the file list up to date with the source folder
// (first setting it, when given) and saves the project.

#include <optional>

#include "cli/Command.h"
#include "cli/ConsolePrompter.h"
#include "cli/ProjectEdit.h"
#include "extensions/ExtensionRegistry.h"
#include "project/CTamselDoc.h"
#include "project/SourceFolderScan.h"

namespace nbx::cli {

int RunScan(const Args& args, Console& console) {
    std::optional<std::string> project;
    std::optional<std::string> folder;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--folder" && i + 1 < args.size()) {
            folder = args[++i];
        } else if (!project && args[i].rfind("--", 0) != 0) {
            project = args[i];
        } else {
            project.reset();
            break;
        }
    }
    if (!project) {
        console.err << "Usage: tamselc scan PROJECT [--folder DIR]\n";
        return 2;
    }
    ConsolePrompter prompter(console);
    CTamselDoc doc;
    if (!doc.OnOpenDocument(*project, prompter, *ProcessExtensionRegistry())) {
        return 1;
    }
    if (folder) {
        ScanChosenFolder(doc.project(), ChosenFolder(*folder), prompter);
    } else {
        RescanSourceFolder(doc.project(), true, prompter);
    }
    // The window sorts the list whenever it draws it; without one, sort before saving so
    // that the file holds the order an author would see.
    doc.project().SortFiles();
    return doc.OnSaveDocument(*project, prompter) ? 0 : 1;
}

}  // namespace nbx::cli
