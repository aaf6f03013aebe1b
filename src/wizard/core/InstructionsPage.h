#pragma once
// "readme.htm": an HTML page of instructions made for one new project (its folders, its kind
// of source files, its splash choice and whether the compiler was started).

#include <string>
#include <string_view>

#include "wizard/core/ProjectType.h"
#include "wizard/core/QuickProjectNames.h"

namespace nbx::wizard {

// A page of a head, a body and a tail; the body grows by headings and HTML pieces.
class InstructionsPage {
public:
    explicit InstructionsPage(std::string_view projectName);

    // A heading: a gap after what came before (smaller after a list), then the text in bold
    // large type, converted from plain text.
    void AddHeading(std::string_view text);
    // HTML, appended unchanged.
    void AddHtml(std::string_view html);

    const std::string& body() const { return body_; }
    // head + body + tail.
    std::string Document() const;

private:
    std::string head_;
    std::string body_;
};

struct InstructionsInput {
    std::string projectName;
    ProjectType type;
    ProjectPaths paths;
    int splash = 0;  // SplashChoice
    bool launch = false;
};

// The whole page for a project. Paths are escaped for HTML, so a folder name holding "<" or
// "&" shows as it is spelled.
std::string ComposeInstructions(const InstructionsInput& input);

}  // namespace nbx::wizard
