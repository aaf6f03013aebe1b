#pragma once
// The starting project the wizard writes: the compiler's import layout "IDT-4.00" (see
// docs/formats/project-file.md). The compiler fills in the rest from a new project's values
// and scans the source folder when it opens the file.

#include <cstdint>
#include <string>

#include "wizard/core/BookInfo.h"

namespace nbx::wizard {

struct ImportProject {
    BookInfo book;
    std::string sourceFolder;
    std::string outputEBook;
    std::int32_t menu = 1;
    std::int32_t popupMenu = 1;
    std::int32_t statusBar = 1;
    std::int32_t toolbar = 1;
    std::int32_t toolbarPosition = 0;
    std::string splashBitmap;  // empty: no splash picture
    // The scan takes in the source folder's whole tree (pictures in "images/", the
    // "_files" folders of pages saved from an office program). Written only when on.
    std::int32_t includeSubFolders = 0;
};

std::string EncodeImportProject(const ImportProject& project);

// Creates or replaces the file at path (through a temporary file, so a failed write leaves
// no half file). False when it cannot be written.
bool WriteImportProject(const std::string& path, const ImportProject& project);

}  // namespace nbx::wizard
