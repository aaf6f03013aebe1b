#pragma once
// One tamselc command per file: each exposes a Run function over its own arguments
// (the words after the command name) and returns the process exit code.

#include <string>
#include <vector>

namespace nbx::cli {

using Args = std::vector<std::string>;

struct Command {
    const char* name;
    const char* usage;  // one line: "show PROJECT   print the project as JSON"
    int (*run)(const Args& args);
    // The fuller usage that COMMAND --help prints, for commands with many options; null when
    // the line above says it all.
    const char* (*help)() = nullptr;
};

// Every command, in the order the help text lists them.
const std::vector<Command>& AllCommands();

}  // namespace nbx::cli
