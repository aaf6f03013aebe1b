#pragma once
// The compiler's start-up: records where it runs in "nbxconfig.ini", makes the main window
// (which loads the extensions) and opens the project named on the command line, or a new one.

#include <memory>
#include <string>

namespace nbx::app {

class CMainFrame;

// "nbxconfig.ini", section "PROGRAM", key "COMPILER": this program's full path, which the
// wizard and the extensions read. False when the file cannot be written.
bool RecordCompilerPath();

// The main window for the command line's arguments (after the program name): none opens a
// new project, one a project file.
std::unique_ptr<CMainFrame> StartMainFrame(int argc, char** argv);

}  // namespace nbx::app
