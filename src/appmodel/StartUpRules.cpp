#include "appmodel/StartUpRules.h"

#include <sys/stat.h>

#include <cstdio>

#include "platform/AsciiText.h"
#include "platform/TextCut.h"
#include "project/DisplayNames.h"
#include "project/Project.h"

namespace nbx {

namespace {

constexpr std::int32_t kCustomSize = StoredCode(WindowSize::Custom);

// The decimal value of a field of digits; anything past the int range counts as too large.
long long SizeValue(std::string_view digits) {
    long long value = 0;
    for (char c : digits) {
        if (!IsSizeDigit(c)) {
            return -1;
        }
        value = value * 10 + (c - '0');
        if (value > 1000000) {
            return value;
        }
    }
    return value;
}

bool IsExistingFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

const std::vector<CodeName>& StartUpSizeChoices() {
    static const std::vector<CodeName> choices{{StoredCode(WindowSize::Maximized), "Maximized"},
                                               {StoredCode(WindowSize::Minimized), "Minimized"},
                                               {StoredCode(WindowSize::Default), "Default"},
                                               {kCustomSize, "Custom"}};
    return choices;
}

int StartUpSizeIndex(std::int32_t width) {
    const auto& choices = StartUpSizeChoices();
    for (std::size_t i = 0; i + 1 < choices.size(); ++i) {
        if (choices[i].code == width) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(choices.size()) - 1;
}

const std::vector<CodeName>& StartUpPositionChoices() {
    static const std::vector<CodeName> choices{
        {StoredCode(WindowPosition::Centered), "Centered"},
        {StoredCode(WindowPosition::TopLeft), "Top Left"},
        {StoredCode(WindowPosition::TopCentered), "Top Centered"},
        {StoredCode(WindowPosition::TopRight), "Top Right"},
        {StoredCode(WindowPosition::LeftCentered), "Left Centered"},
        {StoredCode(WindowPosition::RightCentered), "Right Centered"},
        {StoredCode(WindowPosition::BottomLeft), "Bottom Left"},
        {StoredCode(WindowPosition::BottomCentered), "Bottom Centered"},
        {StoredCode(WindowPosition::BottomRight), "Bottom Right"}};
    return choices;
}

int StartUpPositionIndex(std::int32_t position) {
    const auto& choices = StartUpPositionChoices();
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (choices[i].code == position) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

std::vector<std::int32_t> SplashDelayChoices() {
    std::vector<std::int32_t> delays;
    for (std::int32_t d = 0; d <= 9900; d += 100) {
        delays.push_back(d);
    }
    return delays;
}

std::string SplashDelayName(std::int32_t milliseconds) {
    char text[48];
    std::snprintf(text, sizeof text, "%d.%d secs", milliseconds / 1000, (milliseconds / 100) % 10);
    return text;
}

int SplashDelayIndex(std::int32_t milliseconds) {
    if (milliseconds < 0 || milliseconds > 9900 || milliseconds % 100 != 0) {
        return 0;
    }
    return milliseconds / 100;
}

StartUpValues StartUpOf(const ProjectSettings& project) {
    StartUpValues values;
    values.message = project.startupMessage;
    values.sizeIndex = StartUpSizeIndex(project.initialWidth);
    if (project.initialWidth > 0) {
        values.x = std::to_string(project.initialWidth);
        values.y = std::to_string(project.initialHeight);
    }
    values.positionIndex = StartUpPositionIndex(project.initialPosition);
    values.splashBitmap = project.splashBitmap;
    values.delayIndex = SplashDelayIndex(project.splashExtraDelay);
    values.percentageBar = project.splashPercentageBar;
    return values;
}

bool IsCustomSize(const StartUpValues& values) {
    return values.sizeIndex == StartUpSizeIndex(kCustomSize);
}

CheckResult<StartUpField> CheckStartUp(const StartUpValues& values) {
    using Failure = FieldFailure<StartUpField>;
    if (IsCustomSize(values)) {
        const std::string_view x = TrimAsciiWhiteSpace(values.x);
        const std::string_view y = TrimAsciiWhiteSpace(values.y);
        if (x.empty()) {
            return Failure{"No X size set", StartUpField::X};
        }
        if (y.empty()) {
            return Failure{"No Y size set", StartUpField::Y};
        }
        const long long xValue = SizeValue(x);
        if (xValue < 100 || xValue > 2000) {
            return Failure{"X size must be between 100 and 2000", StartUpField::X};
        }
        const long long yValue = SizeValue(y);
        if (yValue < 100 || yValue > 2000) {
            return Failure{"Y size must be between 100 and 2000", StartUpField::Y};
        }
    }
    if (!values.splashBitmap.empty() && !IsExistingFile(values.splashBitmap)) {
        return Failure{"The splash bitmap file does not exist.", StartUpField::SplashBitmap};
    }
    return std::nullopt;
}

void ApplyStartUp(const StartUpValues& values, Project& project) {
    if (IsCustomSize(values)) {
        project.initialWidth = static_cast<std::int32_t>(SizeValue(TrimAsciiWhiteSpace(values.x)));
        project.initialHeight = static_cast<std::int32_t>(SizeValue(TrimAsciiWhiteSpace(values.y)));
    } else {
        const std::int32_t code =
            StartUpSizeChoices().at(static_cast<std::size_t>(values.sizeIndex)).code;
        project.initialWidth = code;
        project.initialHeight = code;
    }
    project.initialPosition =
        StartUpPositionChoices().at(static_cast<std::size_t>(values.positionIndex)).code;
    project.splashExtraDelay = SplashDelayChoices().at(static_cast<std::size_t>(values.delayIndex));
    project.startupMessage = platform::CutToCharacterBoundary(values.message, 4096);
    project.splashBitmap = platform::CutToCharacterBoundary(values.splashBitmap, 260);
    project.splashPercentageBar = values.percentageBar;
    project.SetModified();
}

const std::vector<InterfaceSwitch>& InterfaceSwitches() {
    using P = ProjectSettings;
    static const std::vector<InterfaceSwitch> switches{
        {"Automatically open Internet links in new (browser) window", &P::autoOpenLinksInNewWindow,
         0},
        {"Menu is shown", &P::menuShown, 0},
        {"Next/Previous loop", &P::nextPreviousLoop, 0},
        {"Pop-up Menu when right click on E-Book page", &P::popupMenu, 0},
        {"Scrollbars hidden", &P::scrollbarsHidden, 0},
        {"Status Bar hide destinations", &P::statusBarHideDestinations, 0},
        {"Status Bar is shown initially", &P::statusBarInitially, 0},
        {"Status Bar can be toggled on/off", &P::statusBarToggle, 0},
        {"Toolbar is shown initially", &P::toolbarInitially, 0},
        {"Toolbar can be toggled on/off", &P::toolbarToggle, 0},
        {"Toolbar buttons have text labels", &P::toolbarLabels, 0},
        {"Toolbar Contents button displays Pop-up List", &P::contentsPopupList, 0},
        {"Toolbar - Back button", nullptr, kButtonBack},
        {"Toolbar - Forward button", nullptr, kButtonForward},
        {"Toolbar - Previous button", &P::previousButton, 0},
        {"Toolbar - Next button", &P::nextButton, 0},
        {"Toolbar - Stop button", nullptr, kButtonStop},
        {"Toolbar - Refresh button", nullptr, kButtonRefresh},
        {"Toolbar - Home button", nullptr, kButtonHome},
        {"Toolbar - Search button", nullptr, kButtonSearch},
        {"Toolbar - Contents button", nullptr, kButtonContents},
        {"Toolbar - Copy button", nullptr, kButtonCopy},
        {"Toolbar - Find button", nullptr, kButtonFind},
        {"Toolbar - Size button", nullptr, kButtonSize},
        {"Toolbar - Print button", nullptr, kButtonPrint},
        {"Toolbar - About button", nullptr, kButtonAbout},
        {"Toolbar - Exit button", &P::exitButton, 0},
        {"Tool Tips - Balloon Style", &P::tooltipBalloon, 0},
        {"Tool Tips - Short Messages", &P::tooltipShort, 0},
        {"Tool Tips - Show Destinations for Next/Previous", &P::tooltipShowDestinations, 0},
        {"Window can be resized", &P::windowResizable, 0},
        {"Window is always on top", &P::alwaysOnTop, 0},
    };
    return switches;
}

bool SwitchValue(const ProjectSettings& project, const InterfaceSwitch& item) {
    if (item.field == nullptr) {
        return project.toolbarButtons.at(static_cast<std::size_t>(item.button));
    }
    return project.*item.field;
}

void SetSwitchValue(ProjectSettings& project, const InterfaceSwitch& item, bool on) {
    if (item.field == nullptr) {
        project.toolbarButtons.at(static_cast<std::size_t>(item.button)) = on;
        return;
    }
    project.*item.field = on;
    if (item.field == &ProjectSettings::windowResizable) {
        project.windowResizableCopyA = on;
        project.windowResizableCopyB = on;
    }
}

UserInterfaceValues UserInterfaceOf(const ProjectSettings& project) {
    UserInterfaceValues values;
    for (const InterfaceSwitch& item : InterfaceSwitches()) {
        values.switches.push_back(SwitchValue(project, item));
    }
    values.toolbarPosition =
        project.toolbarPosition >= 0 && project.toolbarPosition < kToolbarPositionCount
            ? project.toolbarPosition
            : -1;
    values.language = project.language;
    return values;
}

void ApplyUserInterface(const UserInterfaceValues& values, Project& project) {
    const auto& switches = InterfaceSwitches();
    for (std::size_t i = 0; i < switches.size() && i < values.switches.size(); ++i) {
        SetSwitchValue(project, switches[i], values.switches[i]);
    }
    project.toolbarPosition = values.toolbarPosition;
    project.language = values.language;
    project.SetModified();
}

}  // namespace nbx
