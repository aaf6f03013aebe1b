#include "common/ProgramFolderPath.h"

#include "platform/ExecutablePath.h"
#include "platform/Paths.h"

namespace nbx {

std::string ProgramFolderPath(std::string_view relativeName) {
    const std::string folder = platform::FolderPartOfPath(platform::ExecutablePath());
    if (folder.empty()) {
        return {};
    }
    return folder + platform::NativeSeparators(relativeName);
}

}  // namespace nbx
