#pragma once
// The settings dialogs' OK checks over a project's stored values, for the console's set and
// new commands: the very checks the dialogs run, with the failing field named as the
// project's setting is ("title", "initialWidth").

#include <cstdint>
#include <optional>
#include <string>

namespace nbx {

class Project;
struct ProjectSettings;

struct SettingsProblem {
    std::string message;
    std::string field;  // the setting's name, as the project's fields are called
};

// "Edit E-Book Info": title, copyright, author.
std::optional<SettingsProblem> CheckEBookInfoSettings(const Project& project);

// "Edit Output": the e-book path, then with the Rebrander on its path, the two paths apart
// but in one folder, its title and its two messages.
std::optional<SettingsProblem> CheckOutputSettings(const Project& project);

// "Edit Start Up": a custom size (initialWidth not -1, -2 or -3) needs both sizes within 100
// to 2000; a splash bitmap that is set must exist.
std::optional<SettingsProblem> CheckStartUpSettings(const ProjectSettings& project);

// True for the size codes -1 "Maximized", -2 "Minimized" and -3 "Default".
bool IsSizeCode(std::int32_t size);

}  // namespace nbx
