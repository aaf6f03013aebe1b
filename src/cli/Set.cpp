// tamselc set PROJECT NAME=VALUE...: changes settings by the names that tamselc show prints,
// with the checks of the settings dialogs' OK; nothing is written when one assignment fails.

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "appmodel/SettingsChecks.h"
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

// Which dialog's OK checks a setting falls under.
enum class Area { None, EBookInfo, StartUp, Output };

enum class Form { Text, Path, Switch, Number, Choice };

struct Setting {
    const char* name;
    Form form;
    Area area;
    std::variant<std::string ProjectSettings::*, std::int32_t ProjectSettings::*> field;
    std::vector<std::int32_t> choices = {};  // for Form::Choice
};

using P = ProjectSettings;

std::vector<std::int32_t> Range(std::int32_t first, std::int32_t last, std::int32_t step = 1) {
    std::vector<std::int32_t> values;
    for (std::int32_t v = first; v <= last; v += step) {
        values.push_back(v);
    }
    return values;
}

const std::vector<Setting>& Settings() {
    static const std::vector<Setting> settings = {
        {"title", Form::Text, Area::EBookInfo, &P::title},
        {"author", Form::Text, Area::EBookInfo, &P::author},
        {"authorEmail", Form::Text, Area::EBookInfo, &P::authorEmail},
        {"authorUrl", Form::Text, Area::EBookInfo, &P::authorUrl},
        {"publisher", Form::Text, Area::EBookInfo, &P::publisher},
        {"copyright", Form::Text, Area::EBookInfo, &P::copyright},
        {"affiliateNickname", Form::Text, Area::None, &P::affiliateNickname},
        {"onStart", Form::Text, Area::None, &P::onStart},
        {"onExit", Form::Text, Area::None, &P::onExit},
        {"sourceFolder", Form::Path, Area::None, &P::sourceFolder},
        {"includeSubFolders", Form::Switch, Area::None, &P::includeSubFolders},
        {"outputExe", Form::Path, Area::Output, &P::outputExe},
        {"startupMessage", Form::Text, Area::StartUp, &P::startupMessage},
        {"initialWidth", Form::Number, Area::StartUp, &P::initialWidth},
        {"initialHeight", Form::Number, Area::StartUp, &P::initialHeight},
        {"initialPosition", Form::Choice, Area::StartUp, &P::initialPosition, Range(-8, 0)},
        {"splashBitmap", Form::Path, Area::StartUp, &P::splashBitmap},
        {"splashPercentageBar", Form::Switch, Area::StartUp, &P::splashPercentageBar},
        {"splashExtraDelay", Form::Choice, Area::StartUp, &P::splashExtraDelay,
         Range(0, 9900, 100)},
        {"autoOpenLinksInNewWindow", Form::Switch, Area::None, &P::autoOpenLinksInNewWindow},
        {"menuShown", Form::Switch, Area::None, &P::menuShown},
        {"nextPreviousLoop", Form::Switch, Area::None, &P::nextPreviousLoop},
        {"popupMenu", Form::Switch, Area::None, &P::popupMenu},
        {"scrollbarsHidden", Form::Switch, Area::None, &P::scrollbarsHidden},
        {"statusBarHideDestinations", Form::Switch, Area::None, &P::statusBarHideDestinations},
        {"statusBarInitially", Form::Switch, Area::None, &P::statusBarInitially},
        {"statusBarToggle", Form::Switch, Area::None, &P::statusBarToggle},
        {"toolbarInitially", Form::Switch, Area::None, &P::toolbarInitially},
        {"toolbarToggle", Form::Switch, Area::None, &P::toolbarToggle},
        {"toolbarLabels", Form::Switch, Area::None, &P::toolbarLabels},
        {"contentsPopupList", Form::Switch, Area::None, &P::contentsPopupList},
        {"previousButton", Form::Switch, Area::None, &P::previousButton},
        {"nextButton", Form::Switch, Area::None, &P::nextButton},
        {"exitButton", Form::Switch, Area::None, &P::exitButton},
        {"tooltipBalloon", Form::Switch, Area::None, &P::tooltipBalloon},
        {"tooltipShort", Form::Switch, Area::None, &P::tooltipShort},
        {"tooltipShowDestinations", Form::Switch, Area::None, &P::tooltipShowDestinations},
        {"windowResizable", Form::Switch, Area::None, &P::windowResizable},
        {"alwaysOnTop", Form::Switch, Area::None, &P::alwaysOnTop},
        {"toolbarPosition", Form::Choice, Area::None, &P::toolbarPosition, Range(0, 3)},
        {"language", Form::Text, Area::None, &P::language},
        {"aboutPage", Form::Choice, Area::None, &P::aboutPage, Range(0, 2)},
        {"aboutFile", Form::Text, Area::None, &P::aboutFile},
        {"contentsPage", Form::Choice, Area::None, &P::contentsPage, Range(0, 2)},
        {"contentsFile", Form::Text, Area::None, &P::contentsFile},
        {"contentsDescriptions", Form::Switch, Area::None, &P::contentsDescriptions},
        {"searchShowMatch", Form::Switch, Area::None, &P::searchShowMatch},
        {"searchDescriptions", Form::Switch, Area::None, &P::searchDescriptions},
        {"installOption", Form::Choice, Area::None, &P::installOption, Range(-2, 0)},
        {"iconFile", Form::Path, Area::None, &P::iconFile},
        {"buildRebrander", Form::Switch, Area::Output, &P::buildRebrander},
        {"rebranderExe", Form::Path, Area::Output, &P::rebranderExe},
        {"rebranderTitle", Form::Text, Area::Output, &P::rebranderTitle},
        {"rebranderStartMessage", Form::Text, Area::Output, &P::rebranderStartMessage},
        {"rebranderEndMessage", Form::Text, Area::Output, &P::rebranderEndMessage},
        {"rebranderOption", Form::Switch, Area::None, &P::rebranderOption},
    };
    return settings;
}

std::optional<std::int64_t> ParseNumber(std::string_view text) {
    int base = 10;
    bool negative = false;
    if (text.starts_with('-')) {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
        value > 0xFFFFFFFFLL) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string::npos ? at : at - start));
        if (at == std::string::npos) {
            return parts;
        }
        start = at + 1;
    }
}

std::string ChoiceList(const std::vector<std::int32_t>& choices) {
    if (choices.size() > 10) {
        return std::to_string(choices.front()) + ", " + std::to_string(choices[1]) + " ... " +
               std::to_string(choices.back());
    }
    std::string list;
    for (const std::int32_t c : choices) {
        list += (list.empty() ? "" : ", ") + std::to_string(c);
    }
    return list;
}

// The settings that are lists of values: nullopt when name is none of them, else the error
// (empty when the value was stored).
std::optional<std::string> AssignList(ProjectSettings& p, const std::string& name,
                                      const std::string& value) {
    if (name == "extensions") {
        p.extensions.clear();
        if (!value.empty()) {
            for (const std::string& path : Split(value, ';')) {
                p.extensions.push_back(path);
            }
        }
        return std::string();
    }
    const bool buttons = name == "toolbarButtons";
    if (!buttons && name != "colors") {
        return std::nullopt;
    }
    const std::vector<std::string> parts = Split(value, ',');
    const std::size_t count = buttons ? p.toolbarButtons.size() : p.colors.size();
    const std::string form = buttons ? "12 switches (0 or 1)" : "6 colours (0xBBGGRR or decimal)";
    const std::string error = name + " must be " + form + " separated by commas";
    if (parts.size() != count) {
        return error;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const auto n = ParseNumber(parts[i]);
        if (buttons) {
            if (!n || (*n != 0 && *n != 1)) {
                return error;
            }
            p.toolbarButtons[i] = static_cast<std::int32_t>(*n);
        } else {
            if (!n || *n < 0 || *n > 0xFFFFFF) {
                return error;
            }
            p.colors[i] = static_cast<std::uint32_t>(*n);
        }
    }
    return std::string();
}

// Stores one NAME=VALUE into p, noting the area it touched; the error, or empty.
std::string Assign(ProjectSettings& p, const std::string& assignment, std::vector<Area>& touched) {
    const std::size_t eq = assignment.find('=');
    if (eq == std::string::npos || eq == 0) {
        return "expected NAME=VALUE, not '" + assignment + "'";
    }
    const std::string name = assignment.substr(0, eq);
    const std::string value = assignment.substr(eq + 1);
    if (const auto listError = AssignList(p, name, value)) {
        return *listError;
    }
    if (name == "files") {
        return "the file list is changed with tamselc scan and tamselc files";
    }
    if (name == "variables") {
        return "the variables are changed with tamselc var";
    }
    if (name == "windowResizableCopyA" || name == "windowResizableCopyB") {
        return name + " always follows windowResizable; set that instead";
    }
    for (const Setting& s : Settings()) {
        if (name != s.name) {
            continue;
        }
        touched.push_back(s.area);
        if (s.form == Form::Text || s.form == Form::Path) {
            p.*std::get<std::string P::*>(s.field) =
                s.form == Form::Path ? AbsolutePath(value) : value;
            return {};
        }
        const auto n = ParseNumber(value);
        std::int32_t& field = p.*std::get<std::int32_t P::*>(s.field);
        if (s.form == Form::Switch) {
            if (!n || (*n != 0 && *n != 1)) {
                return name + " must be 0 or 1";
            }
        } else if (s.form == Form::Choice) {
            if (!n || std::find(s.choices.begin(), s.choices.end(), *n) == s.choices.end()) {
                return name + " must be one of " + ChoiceList(s.choices);
            }
        } else if (!n || *n < INT32_MIN || *n > INT32_MAX) {
            return name + " must be a whole number";
        }
        field = static_cast<std::int32_t>(*n);
        if (name == "windowResizable") {
            p.windowResizableCopyA = p.windowResizableCopyB = field;
        }
        return {};
    }
    if (name == "modified") {
        return "modified is not a setting";
    }
    return "unknown setting '" + name + "' (the names are those that tamselc show prints)";
}

bool Touched(const std::vector<Area>& touched, Area area) {
    return std::find(touched.begin(), touched.end(), area) != touched.end();
}

}  // namespace

const char* SetUsage() {
    return kUsage;
}

int RunSet(const Args& args) {
    ConsolePrompter prompter;
    CTamselDoc doc;
    if (const std::optional<int> end = StartEdit(args, 2, kUsage, doc, prompter)) {
        return *end;
    }
    Project& project = doc.project();
    std::vector<Area> touched;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string error = Assign(project, args[i], touched);
        if (!error.empty()) {
            Refuse("set", error);
            return 1;
        }
    }
    // The dialogs store what they show: one size code for both sizes, and the Rebrander
    // title as it is shown (the effective one).
    if (IsSizeCode(project.initialWidth)) {
        project.initialHeight = project.initialWidth;
    }
    if (Touched(touched, Area::Output)) {
        project.rebranderTitle = project.EffectiveRebranderTitle();
    }
    std::optional<SettingsProblem> problem;
    if (Touched(touched, Area::EBookInfo)) {
        problem = CheckEBookInfoSettings(project);
    }
    if (!problem && Touched(touched, Area::StartUp)) {
        problem = CheckStartUpSettings(project);
    }
    if (!problem && Touched(touched, Area::Output)) {
        problem = CheckOutputSettings(project);
    }
    if (problem) {
        Refuse("set", problem->field + ": " + problem->message);
        return 1;
    }
    project.SetModified();
    if (!doc.OnSaveDocument(args[0], prompter)) {
        return 1;
    }
    // An output name decides which system the program is built for: say which.
    for (std::size_t i = 1; i < args.size(); ++i) {
        for (const std::string name : {"outputExe", "rebranderExe"}) {
            if (args[i].starts_with(name + "=") && args[i].size() > name.size() + 1) {
                std::cout << name << ": " << TargetNote(args[i].substr(name.size() + 1)) << "\n";
            }
        }
    }
    return 0;
}

}  // namespace nbx::cli
