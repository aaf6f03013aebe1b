#include "compile/BuildCommand.h"

#include <filesystem>

#include "compile/BuildChecks.h"
#include "compile/BuildClock.h"
#include "compile/RebranderBuild.h"
#include "project/SourceFolderScan.h"

namespace nbx {

bool PrepareBuildCommand(Project& project, Prompter& prompter, const BuildCommandHooks& hooks) {
    if (project.files.empty()) {
        if (hooks.scanFolder) {
            hooks.scanFolder(project);
        }
    } else {
        RescanSourceFolder(project, true, prompter);
    }
    project.SortFiles();
    if (project.files.empty()) {
        return false;
    }
    if (project.outputExe.empty() && hooks.chooseOutputFile) {
        hooks.chooseOutputFile(project);
    }
    return !project.outputExe.empty();
}

bool BuildWithRebrander(const Project& project, BuildUi& ui, const BuildEnvironment& environment) {
    if (!CheckBuildClock(ui)) {
        return false;
    }
    const std::int64_t buildTime = BuildTimeNow();
    if (!CheckOutputPaths(project, ui) || !BuildEBook(project, ui, buildTime, false, environment)) {
        return false;
    }
    return !project.buildRebrander ||
           (!ui.progress.CancelRequested() &&
            BuildRebrander(project, ui, buildTime, environment.compilerFolder));
}

BuiltOutput DescribeBuiltOutput(const std::string& path) {
    BuiltOutput out;
    out.path = path;
    out.shown = !path.empty();
    std::error_code ec;
    const auto size = path.empty() ? 0 : std::filesystem::file_size(path, ec);
    out.sizeText = path.empty() || ec ? "Error" : std::to_string(size) + " bytes";
    return out;
}

}  // namespace nbx
