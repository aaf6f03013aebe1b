#include "cli/Command.h"

namespace nbx::cli {

// Each command's Run lives in the file named after it.

const std::vector<Command>& AllCommands() {
    static const std::vector<Command> commands = {
    };
    return commands;
}

}  // namespace nbx::cli
