#include "cli/Command.h"

namespace nbx::cli {

// Each command's Run lives in the file named after it.
int RunLang(const Args& args);

const std::vector<Command>& AllCommands() {
    static const std::vector<Command> commands = {
        {"lang", "lang FILE | --check NAME  print a language file as JSON, or check NAME.lng",
         RunLang},
    };
    return commands;
}

}  // namespace nbx::cli
