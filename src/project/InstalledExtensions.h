#pragma once
// Which extension libraries this machine has, as far as a project needs to know. The
// extension registry answers for real; until it is loaded, NothingInstalled() does.

#include <string>
#include <string_view>

#include "project/ProjectSettings.h"

namespace nbx {

class InstalledExtensions {
public:
    virtual ~InstalledExtensions() = default;
    // True when the library with this registry path (exact comparison) is loaded.
    virtual bool IsInstalled(std::string_view path) const = 0;
};

// Answers false for every path.
const InstalledExtensions& NothingInstalled();

// Every entry of project.extensions that is not installed, in list order, each followed by
// "\n"; empty when none is missing.
std::string FindMissingExtensions(const ProjectSettings& project,
                                  const InstalledExtensions& installed);

}  // namespace nbx
