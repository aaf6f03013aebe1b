#pragma once
// A project of one page with a numbering variable, saved in a temporary folder, for the
// console's build and series tests.

#include <string>

#include "support/TempDir.h"

namespace nbx {

struct SeriesProjectOptions {
    std::string language = "English";
    std::string name = "series";    // the project file is name + ".nxp"
    std::string outFolder = "out";  // below the temporary folder: book.exe, rebrand.exe
    bool rebrander = false;
};

// Returns the project file's path.
std::string WriteSeriesProject(const test::TempDir& dir, const SeriesProjectOptions& options = {});

}  // namespace nbx
