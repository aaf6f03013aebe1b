#pragma once
// The name a source file takes in the e-book: its path below the source folder, with '/'
// between folders, when the project includes sub-folders; else its file name alone.

#include <string>

#include "project/ProjectSettings.h"

namespace nbx {

std::string EntryNameOf(const ProjectSettings& project, const SourceFile& file);

// The entry of project.files whose EntryNameOf is name, or -1.
long FindFileByEntryName(const ProjectSettings& project, const std::string& name);

}  // namespace nbx
