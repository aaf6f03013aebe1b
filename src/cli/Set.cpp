// tamselc set PROJECT NAME=VALUE...: changes settings by the names that tamselc show prints,
// with the checks of the settings dialogs' OK; nothing is written when one assignment fails.

#include <optional>
#include <string>
#include <vector>

#include "appmodel/SettingFields.h"
#include "cli/Command.h"
#include "cli/ConsolePrompter.h"
#include "cli/ProjectEdit.h"
#include "compile/ProgramTarget.h"
#include "project/CTamselDoc.h"

namespace nbx::cli {

namespace {

constexpr const char* kUsage =
    "set PROJECT NAME=VALUE...\n"
    "  Changes settings, named as tamselc show prints them, and saves the project. The\n"
    "  settings dialogs' checks apply; when one assignment or check fails nothing is written.\n"
    "  Switches take 0 or 1; toolbarButtons takes 12 switches and colors 6 colours\n"
    "  (0xBBGGRR or decimal), separated by commas; extensions takes paths separated by ';'.\n"
    "  Paths are taken from the current folder. Files and variables have their own commands:\n"
    "  tamselc files, tamselc var.";

}  // namespace

const char* SetUsage() {
    return kUsage;
}

int RunSet(const Args& args, Console& console) {
    ConsolePrompter prompter(console);
    CTamselDoc doc;
    if (const std::optional<int> end = StartEdit(console, args, 2, kUsage, doc, prompter)) {
        return *end;
    }
    std::vector<SettingAssignment> assignments;
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::optional<SettingAssignment> a = ParseAssignment(args[i]);
        if (!a) {
            Refuse(console, "set", "expected NAME=VALUE, not '" + args[i] + "'");
            return 1;
        }
        const SettingField* field = FindSettingField(a->name);
        if (field != nullptr && field->form == SettingForm::Path) {
            a->value = AbsolutePath(a->value);
        }
        assignments.push_back(*a);
    }
    Project& project = doc.project();
    std::string warning;
    if (const auto problem = ApplySettings(project, assignments, &warning)) {
        Refuse(
            console, "set",
            problem->field.empty() ? problem->message : problem->field + ": " + problem->message);
        return 1;
    }
    if (!warning.empty()) {
        Complain(console, "set", warning);
    }
    if (!doc.OnSaveDocument(args[0], prompter)) {
        return 1;
    }
    // An output name decides which system the program is built for: say which.
    for (const SettingAssignment& a : assignments) {
        if ((a.name == "outputExe" || a.name == "rebranderExe") && !a.value.empty()) {
            console.out << a.name << ": " << TargetNote(a.value) << "\n";
        }
    }
    return 0;
}

}  // namespace nbx::cli
