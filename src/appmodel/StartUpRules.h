#pragma once
// "Edit Start Up" and "Edit User Interface" without the windows: the lists in their order,
// the Start Up OK checks, and writing the values back.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "appmodel/FieldFailure.h"
#include "project/ProjectSettings.h"

namespace nbx {

class Project;

struct CodeName {
    std::int32_t code;
    const char* name;
};

// "Maximized" (-1), "Minimized" (-2), "Default" (-3), "Custom" (0: a size in pixels).
const std::vector<CodeName>& StartUpSizeChoices();
// The list entry for a stored width: its code, anything else "Custom".
int StartUpSizeIndex(std::int32_t width);
// "Centered" (0), "Top Left" (-8), ... in the list's order.
const std::vector<CodeName>& StartUpPositionChoices();
// The entry of a stored code; an unknown code selects "Centered".
int StartUpPositionIndex(std::int32_t position);
// The delays 0, 100 ... 9900 milliseconds.
std::vector<std::int32_t> SplashDelayChoices();
// "%d.%d secs".
std::string SplashDelayName(std::int32_t milliseconds);
// The entry of a stored delay; one that is not listed selects the first.
int SplashDelayIndex(std::int32_t milliseconds);

// True for a character the X and Y fields accept.
inline bool IsSizeDigit(char c) {
    return c >= '0' && c <= '9';
}

struct StartUpValues {
    std::string message;
    int sizeIndex = 2;  // into StartUpSizeChoices
    std::string x;
    std::string y;
    int positionIndex = 0;  // into StartUpPositionChoices
    std::string splashBitmap;
    int delayIndex = 0;  // into SplashDelayChoices
    bool percentageBar = true;
};

enum class StartUpField { X, Y, SplashBitmap };

StartUpValues StartUpOf(const ProjectSettings& project);
bool IsCustomSize(const StartUpValues& values);
// In order: X empty, Y empty, X out of 100-2000, Y out of 100-2000, a splash path naming no
// existing file.
CheckResult<StartUpField> CheckStartUp(const StartUpValues& values);
// REQUIRES: CheckStartUp(values) passed. Marks the project modified.
void ApplyStartUp(const StartUpValues& values, Project& project);

// One entry of the User Interface check list: its text and where its switch lives.
struct InterfaceSwitch {
    const char* text;
    bool ProjectSettings::*field;  // null for a toolbar button
    int button;                    // a ToolbarButton when field is null
};

// The 32 switches in the check list's order.
const std::vector<InterfaceSwitch>& InterfaceSwitches();
bool SwitchValue(const ProjectSettings& project, const InterfaceSwitch& item);
// "Window can be resized" writes all three of its stored copies.
void SetSwitchValue(ProjectSettings& project, const InterfaceSwitch& item, bool on);

struct UserInterfaceValues {
    std::vector<bool> switches;  // in InterfaceSwitches() order
    int toolbarPosition = 0;     // -1: none selected
    std::string language;
};

UserInterfaceValues UserInterfaceOf(const ProjectSettings& project);
// Marks the project modified.
void ApplyUserInterface(const UserInterfaceValues& values, Project& project);

}  // namespace nbx
