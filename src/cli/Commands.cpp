#include "cli/Command.h"

namespace nbx::cli {

// Each command's Run lives in the file named after it.
int RunExtensions(const Args& args);

const std::vector<Command>& AllCommands() {
    static const std::vector<Command> commands = {
        {"extensions", "extensions                list the loaded extensions", RunExtensions},
    };
    return commands;
}

}  // namespace nbx::cli
