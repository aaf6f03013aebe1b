#pragma once
// Making a quick project: the first dialog's OK checks and creation test, and, once the
// wizard's answers are in, the folders, the splash picture, the project file, the
// instructions page and the start of the compiler. Messages go through the Prompter; each
// failure stops at once and leaves what was already made on disk.

#include <optional>
#include <string>

#include "wizard/core/QuickProjectNames.h"
#include "wizard/core/WizardAnswers.h"

namespace nbx {
class Prompter;
}

namespace nbx::wizard {

inline constexpr const char* kDialogTitle = "Nimbrel Quick Project";

struct QuickProjectRequest {
    std::string name;
    std::string folder;
    int type = -1;  // position in ProjectTypes(); -1 none
};

enum class QuickProjectField { Name, Folder };

struct QuickProjectFailure {
    std::string message;
    QuickProjectField field;
};

// The name, folder and existing-folder checks, in order: the first failure or nothing.
// REQUIRES: CanPressOk holds for the request.
std::optional<QuickProjectFailure> CheckQuickProject(const QuickProjectRequest& request);

// OK up to the wizard: the checks, the creation test under the wait cursor, and the folder
// remembered. On failure shows the message and returns the field to focus.
std::optional<QuickProjectField> PrepareProjectFolder(const QuickProjectRequest& request,
                                                      Prompter& prompter);

// The command line that starts the compiler of programFolder with the project file; both
// paths are quoted where they hold blanks (the project path always), so a folder with
// spaces reaches the compiler as one argument.
std::string CompilerCommandLine(const std::string& programFolder, const std::string& projectFile);

// After the wizard's Finish: makes the project and hands it on (the compiler started when
// asked, the instructions written and opened when asked). executablePath locates the
// program folder with the splash templates and the compiler. True when the project was made
// (the first dialog then closes); the success message is shown only when neither
// instructions nor the compiler were asked for.
bool MakeQuickProject(const QuickProjectRequest& request, const WizardAnswers& answers,
                      const std::string& executablePath, Prompter& prompter);

}  // namespace nbx::wizard
