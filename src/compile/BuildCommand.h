#pragma once
// The Build and Run commands around BuildEBook: bring the file list up to date, ask for an
// output path when there is none, build the e-book and its Rebrander with one build time,
// and describe the outputs as the Build Successful dialog shows them.

#include <cstdint>
#include <functional>
#include <string>

#include "compile/BuildEBook.h"

namespace nbx {

// What only the caller can do: the Scan Folder command (a folder chooser in the window) and
// the Output File save dialog. Each returns false when the author cancelled.
struct BuildCommandHooks {
    std::function<bool(Project&)> scanFolder;
    std::function<bool(Project&)> chooseOutputFile;
};

// Refreshes the file list (or runs Scan Folder when there are no files), sorts it as the
// file list's redraw does, and asks for the output path when none is set. False when there
// is nothing to build.
bool PrepareBuildCommand(Project& project, Prompter& prompter, const BuildCommandHooks& hooks);

// CheckOutputPaths, BuildEBook and, when the project asks for one, BuildRebrander, with the
// clock read once. False after the failure has been reported.
bool BuildWithRebrander(const Project& project, BuildUi& ui, const BuildEnvironment& environment);

// One group of the Build Successful dialog.
struct BuiltOutput {
    bool shown = false;  // the group is shown only for a path that is set
    std::string path;
    std::string sizeText;  // "%d bytes", or "Error" when the file cannot be read
};
BuiltOutput DescribeBuiltOutput(const std::string& path);

}  // namespace nbx
