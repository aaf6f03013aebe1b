#include "wizard/core/ProjectType.h"

#include <algorithm>

#include "platform/AsciiText.h"

namespace nbx::wizard {

const std::vector<ProjectType>& ProjectTypes() {
    static const std::vector<ProjectType> types = [] {
        std::vector<ProjectType> t = {
            {"Microsoft Word 97", false, SourceSoftware::Word97},
            {"Microsoft Word 2000", false, SourceSoftware::Word2000},
            {"Microsoft PowerPoint 97", false, SourceSoftware::PowerPoint97},
            {"Microsoft PowerPoint 2000", false, SourceSoftware::PowerPoint2000},
            {"From HTML Documents - for example HTML files created \"by hand\"", true,
             SourceSoftware::HtmlDocuments},
            {"Other authoring software", true, SourceSoftware::Other},
        };
        // std::string compares its bytes as unsigned char: byte by byte ascending.
        std::sort(t.begin(), t.end(),
                  [](const ProjectType& a, const ProjectType& b) { return a.name < b.name; });
        return t;
    }();
    return types;
}

int FindProjectType(std::string_view name) {
    const auto& types = ProjectTypes();
    for (std::size_t i = 0; i < types.size(); ++i) {
        if (types[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

ProjectTypeMatch MatchProjectType(std::string_view text) {
    ProjectTypeMatch match;
    match.position = FindProjectType(text);
    if (match.position >= 0 || text.empty()) {
        return match;
    }
    const std::string wanted = ToLowerAscii(std::string(text));
    const auto& types = ProjectTypes();
    for (std::size_t i = 0; i < types.size(); ++i) {
        if (ToLowerAscii(types[i].name).find(wanted) != std::string::npos) {
            match.candidates.push_back(static_cast<int>(i));
        }
    }
    if (match.candidates.size() == 1) {
        match.position = match.candidates.front();
    }
    return match;
}

}  // namespace nbx::wizard
