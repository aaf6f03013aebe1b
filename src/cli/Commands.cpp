#include "cli/Command.h"

namespace nbx::cli {

// Each command's Run lives in the file named after it.
int RunExtract(const Args& args);
int RunInspect(const Args& args);

const std::vector<Command>& AllCommands() {
    static const std::vector<Command> commands = {
        {"inspect", "inspect FILE              print an e-book or a Rebrander as JSON", RunInspect},
        {"extract", "extract FILE DIR          write every entry of an e-book, unpacked, into DIR",
         RunExtract},
    };
    return commands;
}

}  // namespace nbx::cli
