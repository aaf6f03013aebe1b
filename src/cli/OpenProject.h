#pragma once
// Opening the project a command names, with the loaded extensions answering which of its
// extensions are missing.

#include <string>

#include "project/CTamselDoc.h"

namespace nbx::cli {

// False after the loader's message (the document then holds a fresh default project).
bool OpenProject(CTamselDoc& doc, const std::string& path, Prompter& prompter);

}  // namespace nbx::cli
