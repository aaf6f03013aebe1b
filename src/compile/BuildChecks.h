#pragma once
// The checks a build makes of a project before it writes anything. Each returns the first
// problem as a title and advice, or nothing when the project passes.
//
// Paths compare exactly: on this system file names are case-sensitive, so two spellings
// that differ only in case are two files (and two folders).

#include <optional>
#include <string>

#include "compile/ErrorReport.h"
#include "project/Project.h"

namespace nbx {

// The message pair for a Rebrander path that names the e-book's file.
BuildError SameOutputFilesError();

// The output settings: e-book path set; with a Rebrander, its path set, naming another file
// than the e-book's (judged by the file itself where it exists), in the same folder, and at
// least one rebrandable variable. Neither output may be a file the build reads
// (OverwrittenInputProblem).
std::optional<BuildError> OutputPathsProblem(const Project& project);

// An output that is the project file itself (Project::filePath), an include file, the splash
// bitmap or the icon file, judged by the file (a link, another spelling of its path) as
// SameFile does: building would replace it. outputName is "Output E-Book EXE" or "Output
// Rebrander EXE".
std::optional<BuildError> OverwrittenInputProblem(const Project& project, const std::string& output,
                                                  const std::string& outputName);

// OutputPathsProblem reported through ui; true when there is none.
bool CheckOutputPaths(const Project& project, BuildUi& ui);

// What "Checking files" gathers over the files that are not excluded.
struct FileCensus {
    int contentsCount = 0;  // listed in the Table Of Contents
    int indexCount = 0;     // named index.htm or index.html in any case
    bool missingFile = false;
};
FileCensus TakeFileCensus(const Project& project);

// Window settings and the file list, checked before the census.
std::optional<BuildError> SettingsAndFilesProblem(const Project& project);

// Index pages, missing files and the own About and Table Of Contents pages, after the census.
std::optional<BuildError> CensusProblem(const Project& project, const FileCensus& census);

// An About or Table Of Contents page set to "My Own Page" must name a file of the project that
// is not excluded. pageName is "About" or "Table Of Contents".
std::optional<BuildError> OwnPageProblem(const Project& project, std::int32_t kind,
                                         const std::string& file, const std::string& pageName);

}  // namespace nbx
