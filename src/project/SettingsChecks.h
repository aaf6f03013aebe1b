#pragma once
// The OK checks of the settings dialogs, over the values the dialog would store. Each returns
// the first failure in the dialog's order (its message and the field that takes the focus),
// or nullopt. The windows and the console's set command call these alike.

#include <optional>
#include <string>

#include "project/ProjectSettings.h"

namespace nbx {

struct SettingsProblem {
    std::string message;
    std::string field;  // the setting's name, as the project's fields are called
};

// "Edit E-Book Info": title, copyright, author.
std::optional<SettingsProblem> CheckEBookInfo(const ProjectSettings& p);

// "Edit Output": the e-book path, then with the Rebrander on its path, the two paths apart
// but in one folder, its title and its two messages.
std::optional<SettingsProblem> CheckOutputSettings(const ProjectSettings& p);

// "Start Up": a custom size (initialWidth not -1, -2 or -3) needs both sizes within 100 to
// 2000; a splash bitmap that is set must exist.
std::optional<SettingsProblem> CheckStartUpSettings(const ProjectSettings& p);

// True for the size codes -1 "Maximized", -2 "Minimized" and -3 "Default".
bool IsSizeCode(std::int32_t size);

}  // namespace nbx
