#pragma once
// The compiler window's command line: nothing (a new project), or one project file to open.
// "--help" prints the usage; any other word that begins with '-' is refused rather than
// taken for a project's name ("--" ends the options, for a project named "-x.nxp").

#include <string>
#include <vector>

namespace nbx {

struct TamselArguments {
    bool help = false;
    std::string project;  // empty: a new project
    std::string error;    // not empty: the program prints it with the usage and stops
};

// args: the words after the program's name, once the window system took its own.
TamselArguments ParseTamselArguments(const std::vector<std::string>& args);

// Whether the words ask for the usage, checked before the window system starts so that it
// works without a display.
bool AsksForHelp(const std::vector<std::string>& args);

std::string TamselUsage();

}  // namespace nbx
