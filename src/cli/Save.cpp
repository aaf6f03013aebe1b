// tamselc save PROJECT OUT: loads a project of any version and saves it in the newest layout.

#include <iostream>

#include "cli/Command.h"
#include "cli/ConsolePrompter.h"
#include "extensions/ExtensionRegistry.h"
#include "project/CTamselDoc.h"

namespace nbx::cli {

int RunSave(const Args& args) {
    if (args.size() != 2) {
        std::cerr << "Usage: tamselc save PROJECT OUT\n";
        return 2;
    }
    ConsolePrompter prompter;
    CTamselDoc doc;
    if (!doc.OnOpenDocument(args[0], prompter, *ProcessExtensionRegistry()) ||
        !doc.OnSaveDocument(args[1], prompter)) {
        return 1;
    }
    return 0;
}

}  // namespace nbx::cli
