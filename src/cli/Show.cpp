// tamselc show PROJECT: the loaded project as JSON on stdout.

#include "cli/Command.h"
#include "cli/ConsolePrompter.h"
#include "cli/ProjectJson.h"
#include "extensions/ExtensionRegistry.h"
#include "project/CTamselDoc.h"

namespace nbx::cli {

int RunShow(const Args& args, Console& console) {
    if (args.size() != 1) {
        console.err << "Usage: tamselc show PROJECT\n";
        return 2;
    }
    ConsolePrompter prompter(console);
    CTamselDoc doc;
    if (!doc.OnOpenDocument(args[0], prompter, *ProcessExtensionRegistry())) {
        return 1;
    }
    console.out << ProjectToJson(doc.project()) << "\n";
    return 0;
}

}  // namespace nbx::cli
