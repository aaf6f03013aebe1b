#include "project/EntryName.h"

#include "platform/Paths.h"

namespace nbx {

std::string EntryNameOf(const ProjectSettings& project, const SourceFile& file) {
    if (project.includeSubFolders && !project.sourceFolder.empty()) {
        std::string base = project.sourceFolder;
        if (base.back() != platform::kSeparator) {
            base += platform::kSeparator;
        }
        if (file.path.size() > base.size() && file.path.starts_with(base)) {
            std::string name = file.path.substr(base.size());
            for (char& c : name) {
                if (c == platform::kSeparator) {
                    c = '/';
                }
            }
            return name;
        }
    }
    return platform::FileNameOfPath(file.path);
}

long FindFileByEntryName(const ProjectSettings& project, const std::string& name) {
    for (std::size_t i = 0; i < project.files.size(); ++i) {
        if (EntryNameOf(project, project.files[i]) == name) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

}  // namespace nbx
