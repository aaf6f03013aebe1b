#pragma once
// Writes a project in the newest project file layout, "4.20".

#include <string>

#include "project/Project.h"
#include "project/ProjectSettings.h"

namespace nbx {

// The whole file as bytes. Reserved fields are written as 0 or the empty string.
std::string EncodeProjectFile(const ProjectSettings& project);

// The settings as a file in folder holds them: the paths that were relative when the project
// was opened, and the files inside a source folder that was, relative to folder again;
// every other path as it is.
ProjectSettings WithPathsRelativeAgain(const Project& project, const std::string& folder);

// Marks every stored path (ForEachStoredPath) that lies inside folder, at any depth, as one that a
// save writes relative to the project file's folder, as if the project had been opened with it
// relative: for a project made at folder rather than opened there. Paths elsewhere stay as
// they are.
void KeepPathsRelativeBelow(Project& project, const std::string& folder);

// Writes the file through a temporary file in the same folder and a rename, so a failed or
// interrupted save leaves the previous file as it was. False with errorCode (an errno) set
// when the file cannot be written.
bool SaveProjectFile(const std::string& path, const ProjectSettings& project, int& errorCode);

}  // namespace nbx
