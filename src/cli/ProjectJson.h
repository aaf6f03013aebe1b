#pragma once
// A project as JSON for `tamselc show`: the settings of SettingFields() by their names, in
// the model's order, plus "modified".

#include <string>

namespace nbx {
class Project;
}

namespace nbx::cli {

// Indented JSON text; bytes that are not UTF-8 are replaced by U+FFFD, and control and
// direction characters are written as escapes (JsonWithVisibleControls).
std::string ProjectToJson(const Project& project);

}  // namespace nbx::cli
