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
           "  --help                    print this text\n";
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
            LoadedExtensions extensions;
            return c.run(nbx::cli::Args(argv + 2, argv + argc));
        }
    }
    std::cerr << "tamselc: unknown command '" << name << "'\n\n";
    PrintUsage(std::cerr);
    return 2;
}
