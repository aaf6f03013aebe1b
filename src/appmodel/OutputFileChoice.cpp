#include "appmodel/OutputFileChoice.h"

#include <filesystem>

#include "platform/Paths.h"

namespace nbx {

SaveDialogStart SaveDialogStartOf(const std::string& path) {
    SaveDialogStart start;
    if (path.empty()) {
        return start;
    }
    const std::filesystem::path full = std::filesystem::path(path).lexically_normal();
    // A path that ends in a separator names a folder alone.
    const bool folderOnly = !full.has_filename();
    std::filesystem::path folder = full.parent_path();
    while (!folder.empty() && !platform::FolderExists(folder.string()) &&
           folder != folder.root_path()) {
        folder = folder.parent_path();
    }
    if (folder.empty() || !platform::FolderExists(folder.string())) {
        start.name = folderOnly ? std::string() : full.string();
        return start;
    }
    start.folder = folder.string();
    if (!folderOnly) {
        start.name = full.lexically_relative(folder).string();
    }
    return start;
}

}  // namespace nbx
