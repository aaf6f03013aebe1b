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

// The main window over the project named on the command line (empty: a new project). Web
// pages of the Help menu open through the core's document launcher, whose failures carry
// their reasons.
std::unique_ptr<CMainFrame> StartMainFrame(const std::string& project);

}  // namespace nbx::app
