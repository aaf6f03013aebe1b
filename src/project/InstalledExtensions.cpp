#include "project/InstalledExtensions.h"

namespace nbx {

namespace {
class NoExtensions final : public InstalledExtensions {
public:
    bool IsInstalled(std::string_view) const override { return false; }
};
}  // namespace

const InstalledExtensions& NothingInstalled() {
    static const NoExtensions none;
    return none;
}

std::string FindMissingExtensions(const ProjectSettings& project,
                                  const InstalledExtensions& installed) {
    std::string missing;
    for (const std::string& path : project.extensions) {
        if (!installed.IsInstalled(path)) {
            missing += path;
            missing += '\n';
        }
    }
    return missing;
}

}  // namespace nbx
