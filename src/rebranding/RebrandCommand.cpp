#include "rebranding/RebrandCommand.h"

#include <ostream>
#include <string_view>

#include "common/VisibleText.h"
#include "rebranding/EBookRebrander.h"
#include "variables/VariableKind.h"

namespace nbx {

namespace {

constexpr std::string_view kUsage =
    "Usage: rebrand                        customize the e-book in a window\n"
    "       rebrand --list                 print the variables you may change\n"
    "       rebrand --set NAME=VALUE ...   change them without a window\n";

struct CommandLine {
    bool help = false;
    bool list = false;
    std::vector<RebrandAssignment> assignments;
};

// False with the reason in why.
bool Parse(const std::vector<std::string>& arguments, CommandLine& line, std::string& why) {
    bool afterSet = false;
    bool setSeen = false;
    for (const std::string& a : arguments) {
        if (a == "--help" || a == "-h") {
            line.help = true;
        } else if (a == "--list") {
            line.list = true;
            afterSet = false;
        } else if (a == "--set") {
            afterSet = setSeen = true;
        } else if (afterSet) {
            RebrandAssignment assignment;
            if (!ParseRebrandAssignment(a, assignment)) {
                why = "expected NAME=VALUE after --set, got \"" + a + "\"";
                return false;
            }
            line.assignments.push_back(std::move(assignment));
        } else {
            why = "unknown argument \"" + a + "\"";
            return false;
        }
    }
    if (setSeen && line.assignments.empty()) {
        why = "--set needs at least one NAME=VALUE";
        return false;
    }
    return true;
}

void PrintVariables(const EBookRebrander& rebrander, std::ostream& out) {
    for (const RebrandableVariable& v : rebrander.variables()) {
        out << "# " << WithVisibleControls(v.description) << " (" << KindLongName(v.kind) << ")\n"
            << WithVisibleControls(v.name) << "=" << WithVisibleControls(v.value) << "\n";
    }
}

}  // namespace

bool IsRebrandCommandLine(const std::vector<std::string>& arguments) {
    // The window's toolkit takes options of its own, with one dash (-platform, -style);
    // everything with two dashes is ours, so a mistyped option is reported, not ignored.
    for (const std::string& a : arguments) {
        if (a.rfind("--", 0) == 0 || a == "-h") {
            return true;
        }
    }
    return false;
}

int RunRebrandCommand(const std::string& rebranderPath, const std::vector<std::string>& arguments,
                      std::ostream& out, std::ostream& err) {
    CommandLine line;
    std::string why;
    if (!Parse(arguments, line, why)) {
        err << "rebrand: " << why << "\n\n" << kUsage;
        return 2;
    }
    if (line.help) {
        out << kUsage;
        return 0;
    }
    EBookRebrander rebrander;
    if (!rebrander.Open(rebranderPath)) {
        err << WithVisibleControls(rebrander.error(), LineBreaks::Keep) << "\n";
        return 1;
    }
    if (!line.assignments.empty()) {
        if (!rebrander.SetValues(line.assignments)) {
            err << WithVisibleControls(rebrander.error(), LineBreaks::Keep) << "\n";
            return 1;
        }
        err << "The e-book \"" << WithVisibleControls(rebrander.ebookPath())
            << "\" holds the new values.\n";
    }
    if (line.list) {
        PrintVariables(rebrander, out);
    }
    return 0;
}

}  // namespace nbx
