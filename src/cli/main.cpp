// tamselc: the compiler without a window, for scripts, servers and tests.

#include <iostream>
#include <string>
#include <string_view>

#include "cli/Command.h"
#include "cli/ConsolePrompter.h"
#include "extensions/ExtensionLoader.h"

namespace {

void PrintUsage(std::ostream& out) {
    out << "Usage: tamselc COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const auto& c : nbx::cli::AllCommands()) {
        out << "  " << c.usage << "\n";
    }
    out << "  --version                 print the version\n"
           "  --help                    print this text; COMMAND --help prints its usage\n"
           "\nOptions:\n"
           "  --yes, --no   answer every question with Yes or No. Without them a question is\n"
           "                asked on the terminal, or answered by its default button when\n"
           "                there is no terminal.\n"
           "  --save        build and run: save the project afterwards, with the file list\n"
           "                brought up to date from the source folder and the --output path\n"
           "\nExit codes: 0 done, 1 the command failed (the message is on stderr),\n"
           "2 the command line was wrong.\n";
}

bool AsksForHelp(int argc, char** argv) {
    for (int i = 2; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--help" || a == "-h") {
            return true;
        }
    }
    return false;
}

// The configured extensions stay loaded while a command runs, as they do in the window.
class LoadedExtensions {
public:
    LoadedExtensions() {
        nbx::cli::ConsolePrompter prompter;
        nbx::LoadConfiguredExtensions(*nbx::ProcessExtensionRegistry(), prompter, nullptr);
    }
    ~LoadedExtensions() {
        nbx::UnloadExtensions(*nbx::ProcessExtensionRegistry(), nullptr);
        nbx::DestroyProcessExtensionRegistry();
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(std::cerr);
        return 2;
    }
    const std::string_view name = argv[1];
    if (name == "--version" || name == "version") {
        std::cout << NBX_VERSION_TEXT << "\n";
        return 0;
    }
    if (name == "--help" || name == "help" || name == "-h") {
        PrintUsage(std::cout);
        return 0;
    }
    for (const auto& c : nbx::cli::AllCommands()) {
        if (name == c.name) {
            // Every command: a file really named --help is still reached as ./--help.
            if (AsksForHelp(argc, argv)) {
                std::cout << "Usage: tamselc " << (c.help ? c.help() : c.usage) << "\n";
                return 0;
            }
            LoadedExtensions extensions;
            return c.run(nbx::cli::Args(argv + 2, argv + argc));
        }
    }
    std::cerr << "tamselc: unknown command '" << name << "'\n\n";
    PrintUsage(std::cerr);
    return 2;
}
