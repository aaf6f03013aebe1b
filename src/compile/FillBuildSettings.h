#pragma once
// Fills the settings record of an e-book from the project it is built from.

#include <string>

#include "format/BuildSettings.h"
#include "platform/Clock.h"

namespace nbx {

struct ProjectSettings;

// The build's copy of the project: every row with a project field copied from it, the
// format version, the two paths, the build's local date and time, and an entry count of the
// included files plus two (the language and toolbar entries; run-time extensions add theirs
// as they are written).
BuildSettings FillBuildSettings(const ProjectSettings& project, const std::string& compilerPath,
                                const std::string& stubPath, const platform::LocalTime& buildTime);

}  // namespace nbx
