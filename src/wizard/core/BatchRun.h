#pragma once
// nbxkwik --batch: the first dialog and the wizard answered by options instead of windows,
// the same steps and messages (on stderr through the Prompter).
//
//   --name TEXT --folder PATH --type N|NAME --title --publisher --copyright --author --email
//   --url --splash 0..3 --menu 0|1 --popup 0|1 --statusbar 0|1 --toolbar 0|1
//   --toolbar-position 0..3 --instructions 0|1 --launch 0|1
//
// An option left out takes the value the window would start with.

#include <string>
#include <vector>

#include "wizard/core/QuickProject.h"
#include "wizard/core/WizardAnswers.h"

namespace nbx {
class Prompter;
}

namespace nbx::wizard {

struct BatchRequest {
    QuickProjectRequest request;
    WizardAnswers answers;
};

// Reads the options over the starting values of settings. False with error set (a line that
// names the option) for an unknown option, a missing or out-of-range value, an unknown type
// or a name or folder longer than the fields take.
bool ParseBatchOptions(const std::vector<std::string>& args, const WizardSettings& settings,
                       BatchRequest& out, std::string& error);

// The usage text of --batch.
std::string BatchUsage();
// The usage of the whole program: the windows, --batch, and the project types by number.
std::string WizardUsage();
// Whether the words ask for the usage ("--help" or "-h" anywhere, with --batch too). The
// option's value of "--name -h" counts: no project is named so.
bool AsksForHelp(const std::vector<std::string>& args);

// Runs the whole flow; 0 when the project was made, 1 otherwise.
int RunBatch(const std::vector<std::string>& args, const std::string& executablePath,
             Prompter& prompter);

}  // namespace nbx::wizard
