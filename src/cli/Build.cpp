// tamselc build PROJECT [--output PATH] [--jobs N] [--yes|--no] [--save]: the Build command.
// tamselc run PROJECT [--output PATH] [--jobs N] [--yes|--no] [--save]: the same, then starts
// the e-book. --jobs: the cores to pack on (default: every core).

#include <optional>

#include "cli/BuildOptions.h"
#include "cli/Command.h"
#include "cli/ConsoleProgress.h"
#include "cli/ConsolePrompter.h"
#include "cli/OpenProject.h"
#include "common/ProgramLauncher.h"
#include "common/VisibleText.h"
#include "compile/BuildCommand.h"
#include "compile/EntryPreparer.h"
#include "compile/ProgramTarget.h"
#include "project/SourceFolderScan.h"

namespace nbx::cli {

namespace {

struct BuildArgs {
    std::string project;
    std::optional<std::string> output;
    std::optional<bool> answer;
    std::optional<unsigned> jobs;
    bool save = false;
};

std::optional<BuildArgs> ParseBuildArgs(const Args& args) {
    BuildArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--output" && i + 1 < args.size()) {
            parsed.output = OutputPathOption(args[++i]);
        } else if (a == "--jobs" && i + 1 < args.size()) {
            parsed.jobs = ParseJobs(args[++i]);
            if (!parsed.jobs) {
                return std::nullopt;
            }
        } else if (a == "--yes" || a == "--no") {
            parsed.answer = a == "--yes";
        } else if (a == "--save") {
            parsed.save = true;
        } else if (parsed.project.empty() && a.rfind("--", 0) != 0) {
            parsed.project = a;
        } else {
            return std::nullopt;
        }
    }
    if (parsed.project.empty()) {
        return std::nullopt;
    }
    return parsed;
}

int BuildAndMaybeRun(const Args& args, bool run, Console& console) {
    const auto parsed = ParseBuildArgs(args);
    if (!parsed) {
        console.err << "Usage: tamselc " << (run ? "run" : "build")
                    << " PROJECT [--output PATH] [--jobs N] [--yes|--no] [--save]\n";
        return 2;
    }
    ConsolePrompter prompter(console, parsed->answer);
    CTamselDoc doc;
    if (!OpenProject(doc, parsed->project, prompter)) {
        return 1;
    }
    Project& project = doc.project();
    if (parsed->output) {
        project.outputExe = *parsed->output;
        project.SetModified();
    }
    BuildCommandHooks hooks;
    // Without a folder chooser, Scan Folder reads the folder the project already names.
    hooks.scanFolder = [&prompter](Project& p) {
        RescanSourceFolder(p, true, prompter);
        return true;
    };
    if (!PrepareBuildCommand(project, prompter, hooks)) {
        if (!project.files.empty() && project.outputExe.empty()) {
            console.err << "tamselc: the project names no output e-book; give one with --output "
                           "PATH\n";
        }
        return 1;
    }
    ConsoleBuildProgress progress(console);
    BuildUi ui{prompter, progress};
    BuildEnvironment environment = BuildEnvironment::ForThisProgram();
    if (parsed->jobs) {
        environment.packingWorkers = PackingWorkersFor(*parsed->jobs);
    }
    const bool built = BuildWithRebrander(project, ui, environment);
    if (parsed->save && !doc.OnSaveDocument(parsed->project, prompter)) {
        return 1;
    }
    if (!built) {
        return 1;
    }
    if (run) {
        return LaunchProgram(project.outputExe, ShowState::Normal, prompter) ? 0 : 1;
    }
    const BuiltOutput book = DescribeBuiltOutput(project.outputExe);
    console.out << "Output E-Book EXE: " << WithVisibleControls(book.path) << " (" << book.sizeText
                << ")\n"
                << TargetNote(project.outputExe) << "\n";
    const BuiltOutput rebrander =
        DescribeBuiltOutput(project.buildRebrander ? project.rebranderExe : std::string());
    if (rebrander.shown) {
        console.out << "Output Rebrander EXE: " << WithVisibleControls(rebrander.path) << " ("
                    << rebrander.sizeText << ")\n"
                    << TargetNote(project.rebranderExe) << "\n";
    }
    return 0;
}

}  // namespace

int RunBuild(const Args& args, Console& console) {
    return BuildAndMaybeRun(args, false, console);
}

int RunRun(const Args& args, Console& console) {
    return BuildAndMaybeRun(args, true, console);
}

}  // namespace nbx::cli
