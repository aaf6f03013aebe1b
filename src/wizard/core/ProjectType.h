#pragma once
// The kinds of software an author may write the pages with. Each decides whether the project
// gets an include folder and what the instructions say about making the source files.

#include <string>
#include <string_view>
#include <vector>

namespace nbx::wizard {

enum class SourceSoftware { HtmlDocuments, PowerPoint2000, PowerPoint97, Word2000, Word97, Other };

struct ProjectType {
    std::string name;
    bool usesIncludeFolder = false;
    SourceSoftware software = SourceSoftware::Other;
};

// The six types sorted by name, byte by byte ascending: the order of the list and of the
// positions that --type takes.
const std::vector<ProjectType>& ProjectTypes();

// The position of the type called name in ProjectTypes(), or -1.
int FindProjectType(std::string_view name);

// The type a person means by text, for --type: the one called so, else the only one whose
// name holds text (letter case ignored: "html", "Word 2000", "other"). The matches when
// there are none or several.
struct ProjectTypeMatch {
    int position = -1;
    std::vector<int> candidates;  // when the text fits several types
};
ProjectTypeMatch MatchProjectType(std::string_view text);

}  // namespace nbx::wizard
