#include "appmodel/SettingsChecks.h"

#include "appmodel/EBookInfoRules.h"
#include "appmodel/StartUpRules.h"
#include "project/DisplayNames.h"
#include "project/Project.h"

namespace nbx {
namespace {

template <class Field>
std::optional<SettingsProblem> Named(const CheckResult<Field>& failure,
                                     const char* (*name)(Field)) {
    if (!failure) {
        return std::nullopt;
    }
    return SettingsProblem{failure->message, name(failure->field)};
}

const char* EBookInfoSetting(EBookInfoField field) {
    switch (field) {
        case EBookInfoField::Title:
            return "title";
        case EBookInfoField::Copyright:
            return "copyright";
        case EBookInfoField::Author:
            break;
    }
    return "author";
}

const char* OutputSetting(OutputField field) {
    switch (field) {
        case OutputField::EBookExe:
            return "outputExe";
        case OutputField::RebranderExe:
            return "rebranderExe";
        case OutputField::RebranderTitle:
            return "rebranderTitle";
        case OutputField::StartMessage:
            return "rebranderStartMessage";
        case OutputField::EndMessage:
            break;
    }
    return "rebranderEndMessage";
}

const char* StartUpSetting(StartUpField field) {
    switch (field) {
        case StartUpField::X:
            return "initialWidth";
        case StartUpField::Y:
            return "initialHeight";
        case StartUpField::SplashBitmap:
            break;
    }
    return "splashBitmap";
}

}  // namespace

std::optional<SettingsProblem> CheckEBookInfoSettings(const Project& project) {
    return Named(CheckEBookInfo(EBookInfoOf(project)), EBookInfoSetting);
}

std::optional<SettingsProblem> CheckOutputSettings(const Project& project) {
    // The dialog opens with the effective title; a stored project is checked as stored.
    OutputValues values = OutputOf(project);
    values.rebranderTitle = project.rebranderTitle;
    return Named(CheckOutput(values), OutputSetting);
}

std::optional<SettingsProblem> CheckStartUpSettings(const ProjectSettings& project) {
    StartUpValues values = StartUpOf(project);
    // Stored sizes are numbers; one that is no size code is a custom size, checked as typed.
    if (!IsSizeCode(project.initialWidth)) {
        values.x = std::to_string(project.initialWidth);
        values.y = std::to_string(project.initialHeight);
    }
    return Named(CheckStartUp(values), StartUpSetting);
}

bool IsSizeCode(std::int32_t size) {
    return size == StoredCode(WindowSize::Maximized) || size == StoredCode(WindowSize::Minimized) ||
           size == StoredCode(WindowSize::Default);
}

}  // namespace nbx
