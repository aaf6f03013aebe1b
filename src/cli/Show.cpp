// tamselc show PROJECT: the loaded project as JSON on stdout.

#include <iostream>

#include "cli/Command.h"
#include "cli/ConsolePrompter.h"
#include "cli/ProjectJson.h"
#include "extensions/ExtensionRegistry.h"
#include "project/CTamselDoc.h"

namespace nbx::cli {

int RunShow(const Args& args) {
    if (args.size() != 1) {
        std::cerr << "Usage: tamselc show PROJECT\n";
        return 2;
    }
    ConsolePrompter prompter;
    CTamselDoc doc;
    if (!doc.OnOpenDocument(args[0], prompter, *ProcessExtensionRegistry())) {
        return 1;
    }
    std::cout << ProjectToJson(doc.project()) << "\n";
    return 0;
}

}  // namespace nbx::cli
