#pragma once
// Every setting of a project by the name the console shows and sets it under, in the model's
// order: its form, the settings dialog that edits it and where it is stored. `tamselc show`
// prints this table and `tamselc set` parses by it, so the two cannot drift apart.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "appmodel/SettingsChecks.h"
#include "project/ProjectSettings.h"

namespace nbx {

class Project;

// How a value is written: Text as it stands; Path a file name; Switch 0 or 1; Number a whole
// number; Choice one of a list; Switches and Colours lists separated by commas; PathList paths
// separated by ';'. Shown settings are printed by show and changed elsewhere (the file list,
// the variables, the two copies of windowResizable).
enum class SettingForm { Text, Path, Switch, Number, Choice, Switches, Colours, PathList, Shown };

// The dialog whose OK writes a setting; None for those no settings dialog edits.
enum class SettingsDialog {
    None,
    EBookInfo,
    Output,
    Icon,
    StartUp,
    UserInterface,
    SystemPages,
    AddIns
};

using SettingPlace =
    std::variant<std::string ProjectSettings::*, std::int32_t ProjectSettings::*,
                 bool ProjectSettings::*, std::array<bool, kToolbarButtonCount> ProjectSettings::*,
                 std::array<std::uint32_t, kColourCount> ProjectSettings::*,
                 std::vector<std::string> ProjectSettings::*,
                 std::vector<SourceFile> ProjectSettings::*,
                 std::vector<Variable> ProjectSettings::*>;

struct SettingField {
    const char* name;
    SettingForm form;
    SettingsDialog dialog;
    SettingPlace place;
    std::vector<std::int32_t> choices = {};  // for SettingForm::Choice
    const char* changedBy = nullptr;         // for SettingForm::Shown: where it is changed
};

// Every setting, in the model's order.
const std::vector<SettingField>& SettingFields();
// The entry called name (case-sensitive), or null.
const SettingField* FindSettingField(std::string_view name);

// The value as set takes it: numbers in decimal, lists joined by their separator. Empty for
// a Shown setting.
std::string SettingText(const ProjectSettings& project, const SettingField& field);

struct SettingAssignment {
    std::string name;
    std::string value;  // a Path already made absolute by the caller
};

// Splits "NAME=VALUE"; nullopt when there is no '=' or no name.
std::optional<SettingAssignment> ParseAssignment(const std::string& text);

// Stores the assignments as the dialogs' OK would: each value is parsed by its form, then
// every dialog that one of them belongs to runs its checks and writes its values back through
// its Apply rule (so windowResizable keeps its two copies, a size code fills both sizes, a
// Rebrander turned on takes its shown title). On the first failure nothing is changed and the
// problem is returned; field names the setting. Marks the project modified on success;
// `warning` receives what went wrong on the side (the nickname not kept for new projects).
std::optional<SettingsProblem> ApplySettings(Project& project,
                                             const std::vector<SettingAssignment>& assignments,
                                             std::string* warning = nullptr);

}  // namespace nbx
