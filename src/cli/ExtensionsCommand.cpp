// tamselc extensions: the loaded extensions, one per line:
//   display name <TAB> run-time|design-time <TAB> path

#include "cli/Command.h"
#include "common/VisibleText.h"
#include "extensions/ExtensionLoader.h"

namespace nbx::cli {

int RunExtensions(const Args& args, Console& console) {
    if (!args.empty()) {
        console.err << "Usage: tamselc extensions\n";
        return 2;
    }
    const ExtensionRegistry* registry = ProcessExtensionRegistry();
    if (!registry) {
        return 0;
    }
    for (const auto& [path, info] : registry->records()) {
        console.out << WithVisibleControls(ExtensionDisplayName(info)) << "\t"
                    << (IsRuntimeExtension(info, nullptr) ? "run-time" : "design-time") << "\t"
                    << WithVisibleControls(path) << "\n";
    }
    return 0;
}

}  // namespace nbx::cli
