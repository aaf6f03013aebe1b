#pragma once
// The Build command's main job: checks the project, writes every included file into a
// content working file, prepares the variables, puts the author's icon into a copy of the
// reader stub and joins it all into the output e-book.
//
// Every failure is reported once through the BuildUi (title and advice) before false is
// returned. Working files are deleted in every outcome, and the previous e-book stays in
// place unless the new one was completed.

#include <cstdint>
#include <string>

#include "compile/ErrorReport.h"
#include "project/Project.h"

namespace nbx {

class ExtensionRegistry;
class SeriesTemplate;

// What a build takes from outside the project.
struct BuildEnvironment {
    std::string compilerFolder;  // holds eview.dat, toolbar.tb, the .lng files, the icons
    std::string compilerPath;    // the running compiler, recorded in the e-book
    const ExtensionRegistry* extensions = nullptr;  // null: none loaded
    void* mainWindow = nullptr;
    unsigned packingWorkers = 0;  // threads that pack files ahead of the writer; 0: none
    // During a Build Series: the shared bytes of its e-books, kept by the first build and
    // used by the items whose inputs are the same. Null outside a series.
    SeriesTemplate* seriesTemplate = nullptr;
    bool searchIndex = true;  // false: the reader indexes the pages on first use

    // The running program's folder and path, and its loaded extensions.
    static BuildEnvironment ForThisProgram();
};

// buildTime: seconds since 1970, shared with the Rebrander built after it. seriesFlag: true
// for the items of a Build Series, which never ask the pop-up question but take the answer
// remembered in ui.session (the list turned off when there is none).
bool BuildEBook(const Project& project, BuildUi& ui, std::int64_t buildTime, bool seriesFlag,
                const BuildEnvironment& environment);

}  // namespace nbx
