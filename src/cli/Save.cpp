// tamselc save PROJECT OUT: loads a project of any version and saves it in the newest layout.

#include <string_view>

#include "cli/Command.h"
#include "cli/ConsolePrompter.h"
#include "extensions/ExtensionRegistry.h"
#include "platform/RegularFile.h"
#include "project/CTamselDoc.h"
#include "project/ProjectFileFormat.h"

namespace nbx::cli {

namespace {

// True when the file starts with the import layout's version string.
bool IsImportFile(const std::string& path) {
    std::string head;
    int error = 0;
    return platform::ReadRegularFile(path, 1 + projectfile::kImportVersion.size(),
                                     platform::Oversize::ReadPrefix, head, error) &&
           head.size() == 1 + projectfile::kImportVersion.size() &&
           static_cast<unsigned char>(head[0]) == projectfile::kImportVersion.size() &&
           std::string_view(head).substr(1) == projectfile::kImportVersion;
}

}  // namespace

int RunSave(const Args& args, Console& console) {
    if (args.size() != 2) {
        console.err << "Usage: tamselc save PROJECT OUT\n";
        return 2;
    }
    ConsolePrompter prompter(console);
    CTamselDoc doc;
    if (!doc.OnOpenDocument(args[0], prompter, *ProcessExtensionRegistry())) {
        return 1;
    }
    // An imported project's list comes from a scan; sort it as tamselc scan does, so that
    // the file holds the order an author would see.
    if (IsImportFile(args[0])) {
        doc.project().SortFiles();
    }
    return doc.OnSaveDocument(args[1], prompter) ? 0 : 1;
}

}  // namespace nbx::cli
