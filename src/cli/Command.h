#pragma once
// One tamselc command per file: each exposes a Run function over its own arguments
// (the words after the command name) and returns the process exit code.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace nbx::cli {

using Args = std::vector<std::string>;

// Where a command writes its output and its messages, and reads the answers to its questions.
// main() hands over the process's streams; tests hand over string streams and run the
// command in process.
struct Console {
    std::ostream& out;
    std::ostream& err;
    std::istream& in;
    // in is a terminal: questions are asked there; otherwise they take --yes/--no or their
    // default answer.
    bool inIsTerminal = false;
    // err is a terminal: a build draws its progress line there.
    bool errIsTerminal = false;
};

struct Command {
    const char* name;
    const char* usage;  // one line: "show PROJECT   print the project as JSON"
    int (*run)(const Args& args, Console& console);
    // The fuller usage that COMMAND --help prints, for commands with many options; null when
    // the line above says it all.
    const char* (*help)() = nullptr;
};

// Every command, in the order the help text lists them.
const std::vector<Command>& AllCommands();

// The whole program: words are the command line without the program's name. Runs the
// command they name with the configured extensions loaded (and unloaded after it); the exit
// code. The process's registry of extensions stays for the next call: main() ends it.
int RunTamselc(const Args& words, Console& console);

}  // namespace nbx::cli
