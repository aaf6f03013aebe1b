#include "cli/Command.h"

#include <string_view>

#include "cli/ConsolePrompter.h"
#include "extensions/ExtensionLoader.h"

namespace nbx::cli {

// Each command's Run lives in the file named after it.
int RunBuild(const Args& args, Console& console);
int RunExtensions(const Args& args, Console& console);
int RunExtract(const Args& args, Console& console);
int RunFiles(const Args& args, Console& console);
int RunInspect(const Args& args, Console& console);
int RunLang(const Args& args, Console& console);
int RunNew(const Args& args, Console& console);
int RunSave(const Args& args, Console& console);
int RunRun(const Args& args, Console& console);
int RunScan(const Args& args, Console& console);
int RunSeries(const Args& args, Console& console);
int RunSet(const Args& args, Console& console);
int RunShow(const Args& args, Console& console);
int RunVar(const Args& args, Console& console);
const char* FilesUsage();
const char* NewUsage();
const char* SetUsage();
const char* VarUsage();

const std::vector<Command>& AllCommands() {
    static const std::vector<Command> commands = {
        {"build",
         "build PROJECT [--output PATH] [--jobs N] [--yes|--no] [--save]  build the e-book",
         RunBuild},
        {"run",
         "run PROJECT [--output PATH] [--jobs N] [--yes|--no] [--save]  build, then start it",
         RunRun},
        {"series",
         "series PROJECT --variable NAME --first N --last M [--no-rebranders] [--output PATH] "
         "[--jobs N] [--yes|--no]",
         RunSeries},
        {"show", "show PROJECT              print the project as JSON", RunShow},
        {"save", "save PROJECT OUT          save the project in the newest layout", RunSave},
        {"scan", "scan PROJECT [--folder DIR]  rescan the source folder and save", RunScan},
        {"new",
         "new PROJECT --folder DIR [--title T] [--author A] ... [--sub-folders]  (new --help)",
         RunNew, NewUsage},
        {"set", "set PROJECT NAME=VALUE...  change settings named as show prints them", RunSet,
         SetUsage},
        {"files", "files PROJECT OPTION...   exclude, flag and order files (files --help)",
         RunFiles, FilesUsage},
        {"var", "var PROJECT add|edit|delete|move NAME ...  change the variables (var --help)",
         RunVar, VarUsage},
        {"extensions", "extensions                list the loaded extensions", RunExtensions},
        {"lang", "lang FILE | --check NAME  print a language file as JSON, or check NAME.lng",
         RunLang},
        {"inspect", "inspect FILE              print an e-book or a Rebrander as JSON", RunInspect},
        {"extract", "extract FILE DIR          write every entry of an e-book, unpacked, into DIR",
         RunExtract},
    };
    return commands;
}

namespace {

void PrintUsage(std::ostream& out) {
    out << "Usage: tamselc COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const auto& c : AllCommands()) {
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

bool AsksForHelp(const Args& args) {
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") {
            return true;
        }
    }
    return false;
}

// The configured extensions stay loaded while a command runs, as they do in the window.
class LoadedExtensions {
public:
    explicit LoadedExtensions(Console& console) {
        ConsolePrompter prompter(console);
        LoadConfiguredExtensions(*ProcessExtensionRegistry(), prompter, nullptr);
    }
    ~LoadedExtensions() { UnloadExtensions(*ProcessExtensionRegistry(), nullptr); }
    LoadedExtensions(const LoadedExtensions&) = delete;
    LoadedExtensions& operator=(const LoadedExtensions&) = delete;
};

}  // namespace

int RunTamselc(const Args& words, Console& console) {
    if (words.empty()) {
        PrintUsage(console.err);
        return 2;
    }
    const std::string_view name = words[0];
    if (name == "--version" || name == "version") {
        console.out << NBX_VERSION_TEXT << "\n";
        return 0;
    }
    if (name == "--help" || name == "help" || name == "-h") {
        PrintUsage(console.out);
        return 0;
    }
    const Args args(words.begin() + 1, words.end());
    for (const auto& c : AllCommands()) {
        if (name == c.name) {
            // Every command: a file really named --help is still reached as ./--help.
            if (AsksForHelp(args)) {
                console.out << "Usage: tamselc " << (c.help ? c.help() : c.usage) << "\n";
                return 0;
            }
            LoadedExtensions extensions(console);
            return c.run(args, console);
        }
    }
    console.err << "tamselc: unknown command '" << name << "'\n\n";
    PrintUsage(console.err);
    return 2;
}

}  // namespace nbx::cli
