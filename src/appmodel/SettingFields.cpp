#include "appmodel/SettingFields.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <string_view>
#include <type_traits>

#include "appmodel/EBookInfoRules.h"
#include "appmodel/StartUpRules.h"
#include "appmodel/SystemPagesRules.h"
#include "platform/AsciiText.h"
#include "project/DisplayNames.h"
#include "project/Project.h"

namespace nbx {

namespace {

using P = ProjectSettings;
using F = SettingForm;
using D = SettingsDialog;

std::vector<std::int32_t> Range(std::int32_t first, std::int32_t last, std::int32_t step = 1) {
    std::vector<std::int32_t> values;
    for (std::int32_t v = first; v <= last; v += step) {
        values.push_back(v);
    }
    return values;
}

std::vector<std::int32_t> PositionCodes() {
    std::vector<std::int32_t> codes;
    for (const CodeName& choice : StartUpPositionChoices()) {
        codes.push_back(choice.code);
    }
    std::sort(codes.begin(), codes.end());
    return codes;
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

template <class List>
std::string Joined(const List& values, std::string_view separator) {
    std::string text;
    bool first = true;
    for (const auto& v : values) {
        if (!first) {
            text += separator;
        }
        first = false;
        if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::string>) {
            text += v;
        } else if constexpr (std::is_same_v<std::decay_t<decltype(v)>, bool>) {
            text += v ? "1" : "0";
        } else {
            text += std::to_string(v);
        }
    }
    return text;
}

std::string ChoiceList(const std::vector<std::int32_t>& choices) {
    if (choices.size() > 10) {
        return std::to_string(choices.front()) + ", " + std::to_string(choices[1]) + " ... " +
               std::to_string(choices.back());
    }
    return Joined(choices, ", ");
}

// A list of numbers, each checked by ok; false when the count or a number is wrong.
template <class Number, std::size_t N, class Ok>
bool ParseList(const std::string& value, std::array<Number, N>& into, Ok ok) {
    const std::vector<std::string> parts = Split(value, ',');
    if (parts.size() != N) {
        return false;
    }
    std::array<Number, N> parsed{};
    for (std::size_t i = 0; i < N; ++i) {
        const auto n = ParseNumber(parts[i]);
        if (!n || !ok(*n)) {
            return false;
        }
        parsed[i] = static_cast<Number>(*n);
    }
    into = parsed;
    return true;
}

// Stores one value into p by its form; the error, or empty.
std::string Store(ProjectSettings& p, const SettingField& s, const std::string& value) {
    const std::string name = s.name;
    switch (s.form) {
        case F::Shown:
            return s.changedBy;
        case F::Text:
        case F::Path:
            p.*std::get<std::string P::*>(s.place) = value;
            return {};
        case F::PathList: {
            auto& list = p.*std::get<std::vector<std::string> P::*>(s.place);
            list = value.empty() ? std::vector<std::string>() : Split(value, ';');
            return {};
        }
        case F::Switches:
            return ParseList(value, p.*std::get<decltype(P::toolbarButtons) P::*>(s.place),
                             [](std::int64_t n) { return n == 0 || n == 1; })
                       ? std::string()
                       : name + " must be 12 switches (0 or 1) separated by commas";
        case F::Colours:
            return ParseList(value, p.*std::get<decltype(P::colors) P::*>(s.place),
                             [](std::int64_t n) { return n >= 0 && n <= 0xFFFFFF; })
                       ? std::string()
                       : name + " must be 6 colours (0xBBGGRR or decimal) separated by commas";
        case F::Switch:
        case F::Number:
        case F::Choice:
            break;
    }
    const auto n = ParseNumber(value);
    if (s.form == F::Switch && (!n || (*n != 0 && *n != 1))) {
        return name + " must be 0 or 1";
    }
    if (s.form == F::Choice &&
        (!n || std::find(s.choices.begin(), s.choices.end(), *n) == s.choices.end())) {
        return name + " must be one of " + ChoiceList(s.choices);
    }
    // rebranderOption is a switch kept as its stored number; the other switches are bool.
    if (s.form == F::Switch && std::holds_alternative<bool P::*>(s.place)) {
        p.*std::get<bool P::*>(s.place) = *n == 1;
        return {};
    }
    if (!n || *n < INT32_MIN || *n > INT32_MAX) {
        return name + " must be a whole number";
    }
    p.*std::get<std::int32_t P::*>(s.place) = static_cast<std::int32_t>(*n);
    return {};
}

std::optional<SettingsProblem> Problem(std::string message, std::string field = {}) {
    return SettingsProblem{std::move(message), std::move(field)};
}

// Runs one dialog's OK over the wanted values in `edit`: its checks, then its Apply rule.
std::optional<SettingsProblem> RunDialog(SettingsDialog dialog, Project& edit,
                                         std::string* warning) {
    switch (dialog) {
        case D::EBookInfo:
            if (auto problem = CheckEBookInfoSettings(edit)) {
                return problem;
            }
            ApplyEBookInfo(EBookInfoOf(edit), edit);
            break;
        case D::Output: {
            // The dialog shows the effective title; with the Rebrander off a blank one stays
            // blank, so that setting a value to what it was changes nothing.
            if (edit.buildRebrander) {
                edit.rebranderTitle = edit.EffectiveRebranderTitle();
            }
            if (auto problem = CheckOutputSettings(edit)) {
                return problem;
            }
            OutputValues values = OutputOf(edit);
            values.rebranderTitle = edit.rebranderTitle;
            ApplyOutput(values, edit);
            break;
        }
        case D::StartUp: {
            if (auto problem = CheckStartUpSettings(edit)) {
                return problem;
            }
            StartUpValues values = StartUpOf(edit);
            if (!IsSizeCode(edit.initialWidth)) {
                values.x = std::to_string(edit.initialWidth);
                values.y = std::to_string(edit.initialHeight);
            }
            ApplyStartUp(values, edit);
            break;
        }
        case D::UserInterface:
            ApplyUserInterface(UserInterfaceOf(edit), edit);
            break;
        case D::SystemPages: {
            // The page files are kept as stored: the console names them, no list offers them.
            SystemPagesValues values = SystemPagesOf(edit);
            values.aboutFile = edit.aboutFile;
            values.contentsFile = edit.contentsFile;
            if (edit.affiliateNickname.size() > kNicknameMaxLength) {
                return Problem(
                    "the nickname is at most " + std::to_string(kNicknameMaxLength) + " bytes long",
                    "affiliateNickname");
            }
            std::string why;
            if (!ApplySystemPages(values, edit, &why) && warning != nullptr) {
                *warning = NicknameNotKeptMessage(why);
            }
            break;
        }
        case D::AddIns:
            edit.onStart = std::string(TrimAsciiWhiteSpace(edit.onStart));
            edit.onExit = std::string(TrimAsciiWhiteSpace(edit.onExit));
            break;
        case D::Icon:
        case D::None:
            break;
    }
    return std::nullopt;
}

}  // namespace

const std::vector<SettingField>& SettingFields() {
    static const std::vector<SettingField> fields = {
        {"title", F::Text, D::EBookInfo, &P::title},
        {"author", F::Text, D::EBookInfo, &P::author},
        {"authorEmail", F::Text, D::EBookInfo, &P::authorEmail},
        {"authorUrl", F::Text, D::EBookInfo, &P::authorUrl},
        {"publisher", F::Text, D::EBookInfo, &P::publisher},
        {"copyright", F::Text, D::EBookInfo, &P::copyright},
        {"affiliateNickname", F::Text, D::SystemPages, &P::affiliateNickname},
        {"onStart", F::Text, D::AddIns, &P::onStart},
        {"onExit", F::Text, D::AddIns, &P::onExit},
        {"extensions", F::PathList, D::AddIns, &P::extensions},
        {"sourceFolder", F::Path, D::None, &P::sourceFolder},
        {"files",
         F::Shown,
         D::None,
         &P::files,
         {},
         "the file list is changed with tamselc scan and tamselc files"},
        {"outputExe", F::Path, D::Output, &P::outputExe},
        {"includeSubFolders", F::Switch, D::None, &P::includeSubFolders},
        {"variables",
         F::Shown,
         D::None,
         &P::variables,
         {},
         "the variables are changed with tamselc var"},
        {"startupMessage", F::Text, D::StartUp, &P::startupMessage},
        {"initialWidth", F::Number, D::StartUp, &P::initialWidth},
        {"initialHeight", F::Number, D::StartUp, &P::initialHeight},
        {"initialPosition", F::Choice, D::StartUp, &P::initialPosition, PositionCodes()},
        {"splashBitmap", F::Path, D::StartUp, &P::splashBitmap},
        {"splashPercentageBar", F::Switch, D::StartUp, &P::splashPercentageBar},
        {"splashExtraDelay", F::Choice, D::StartUp, &P::splashExtraDelay, SplashDelayChoices()},
        {"autoOpenLinksInNewWindow", F::Switch, D::UserInterface, &P::autoOpenLinksInNewWindow},
        {"menuShown", F::Switch, D::UserInterface, &P::menuShown},
        {"nextPreviousLoop", F::Switch, D::UserInterface, &P::nextPreviousLoop},
        {"popupMenu", F::Switch, D::UserInterface, &P::popupMenu},
        {"scrollbarsHidden", F::Switch, D::UserInterface, &P::scrollbarsHidden},
        {"statusBarHideDestinations", F::Switch, D::UserInterface, &P::statusBarHideDestinations},
        {"statusBarInitially", F::Switch, D::UserInterface, &P::statusBarInitially},
        {"statusBarToggle", F::Switch, D::UserInterface, &P::statusBarToggle},
        {"toolbarInitially", F::Switch, D::UserInterface, &P::toolbarInitially},
        {"toolbarToggle", F::Switch, D::UserInterface, &P::toolbarToggle},
        {"toolbarLabels", F::Switch, D::UserInterface, &P::toolbarLabels},
        {"contentsPopupList", F::Switch, D::UserInterface, &P::contentsPopupList},
        {"previousButton", F::Switch, D::UserInterface, &P::previousButton},
        {"nextButton", F::Switch, D::UserInterface, &P::nextButton},
        {"exitButton", F::Switch, D::UserInterface, &P::exitButton},
        {"tooltipBalloon", F::Switch, D::UserInterface, &P::tooltipBalloon},
        {"tooltipShort", F::Switch, D::UserInterface, &P::tooltipShort},
        {"tooltipShowDestinations", F::Switch, D::UserInterface, &P::tooltipShowDestinations},
        {"windowResizable", F::Switch, D::UserInterface, &P::windowResizable},
        {"windowResizableCopyA",
         F::Shown,
         D::None,
         &P::windowResizableCopyA,
         {},
         "windowResizableCopyA always follows windowResizable; set that instead"},
        {"windowResizableCopyB",
         F::Shown,
         D::None,
         &P::windowResizableCopyB,
         {},
         "windowResizableCopyB always follows windowResizable; set that instead"},
        {"alwaysOnTop", F::Switch, D::UserInterface, &P::alwaysOnTop},
        {"toolbarButtons", F::Switches, D::UserInterface, &P::toolbarButtons},
        {"toolbarPosition", F::Choice, D::UserInterface, &P::toolbarPosition,
         Range(StoredCode(ToolbarPosition::Top), StoredCode(ToolbarPosition::Bottom))},
        {"language", F::Text, D::UserInterface, &P::language},
        {"aboutPage", F::Choice, D::SystemPages, &P::aboutPage,
         Range(kSystemGeneratedPage, kSystemPageOwn)},
        {"aboutFile", F::Text, D::SystemPages, &P::aboutFile},
        {"contentsPage", F::Choice, D::SystemPages, &P::contentsPage,
         Range(kSystemGeneratedPage, kSystemPageOwn)},
        {"contentsFile", F::Text, D::SystemPages, &P::contentsFile},
        {"contentsDescriptions", F::Switch, D::SystemPages, &P::contentsDescriptions},
        {"searchShowMatch", F::Switch, D::SystemPages, &P::searchShowMatch},
        {"searchDescriptions", F::Switch, D::SystemPages, &P::searchDescriptions},
        {"colors", F::Colours, D::SystemPages, &P::colors},
        {"installOption", F::Choice, D::Icon, &P::installOption,
         Range(StoredCode(InstallOption::StartMenu), StoredCode(InstallOption::None))},
        {"iconFile", F::Path, D::Icon, &P::iconFile},
        {"buildRebrander", F::Switch, D::Output, &P::buildRebrander},
        {"rebranderExe", F::Path, D::Output, &P::rebranderExe},
        {"rebranderTitle", F::Text, D::Output, &P::rebranderTitle},
        {"rebranderStartMessage", F::Text, D::Output, &P::rebranderStartMessage},
        {"rebranderEndMessage", F::Text, D::Output, &P::rebranderEndMessage},
        {"rebranderOption", F::Switch, D::None, &P::rebranderOption},
    };
    return fields;
}

const SettingField* FindSettingField(std::string_view name) {
    for (const SettingField& field : SettingFields()) {
        if (name == field.name) {
            return &field;
        }
    }
    return nullptr;
}

std::string SettingText(const ProjectSettings& p, const SettingField& field) {
    if (field.form == F::Shown) {
        return {};
    }
    return std::visit(
        [&](auto place) -> std::string {
            const auto& value = p.*place;
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>) {
                return value;
            } else if constexpr (std::is_same_v<T, std::int32_t>) {
                return std::to_string(value);
            } else if constexpr (std::is_same_v<T, bool>) {
                return value ? "1" : "0";
            } else if constexpr (std::is_same_v<T, std::vector<std::string>>) {
                return Joined(value, ";");
            } else if constexpr (std::is_same_v<T, std::vector<SourceFile>> ||
                                 std::is_same_v<T, std::vector<Variable>>) {
                return {};
            } else {
                return Joined(value, ",");
            }
        },
        field.place);
}

std::optional<SettingAssignment> ParseAssignment(const std::string& text) {
    const std::size_t eq = text.find('=');
    if (eq == std::string::npos || eq == 0) {
        return std::nullopt;
    }
    return SettingAssignment{text.substr(0, eq), text.substr(eq + 1)};
}

std::optional<SettingsProblem> ApplySettings(Project& project,
                                             const std::vector<SettingAssignment>& assignments,
                                             std::string* warning) {
    Project edit = project;
    std::set<SettingsDialog> dialogs;
    for (const SettingAssignment& a : assignments) {
        const SettingField* field = FindSettingField(a.name);
        if (field == nullptr) {
            return Problem(a.name == "modified"
                               ? "modified is not a setting"
                               : "unknown setting '" + a.name +
                                     "' (the names are those that tamselc show prints)");
        }
        if (std::string error = Store(edit, *field, a.value); !error.empty()) {
            return Problem(std::move(error));
        }
        dialogs.insert(field->dialog);
    }
    // In the order of the old single checks: E-Book Info, Start Up, Output first.
    for (const SettingsDialog dialog : {D::EBookInfo, D::StartUp, D::Output, D::Icon,
                                        D::UserInterface, D::SystemPages, D::AddIns}) {
        if (dialogs.count(dialog) != 0) {
            if (auto problem = RunDialog(dialog, edit, warning)) {
                return problem;
            }
        }
    }
    static_cast<ProjectSettings&>(project) = edit;
    project.SetModified();
    return std::nullopt;
}

}  // namespace nbx
