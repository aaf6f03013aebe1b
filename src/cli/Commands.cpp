#include "cli/Command.h"

namespace nbx::cli {

// Each command's Run lives in the file named after it.
int RunBuild(const Args& args);
int RunExtensions(const Args& args);
int RunExtract(const Args& args);
int RunFiles(const Args& args);
int RunInspect(const Args& args);
int RunLang(const Args& args);
int RunNew(const Args& args);
int RunSave(const Args& args);
int RunRun(const Args& args);
int RunScan(const Args& args);
int RunSeries(const Args& args);
int RunSet(const Args& args);
int RunShow(const Args& args);
int RunVar(const Args& args);
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

}  // namespace nbx::cli
