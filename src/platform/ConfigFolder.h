#pragma once
#include <string>
#include <string_view>

namespace nbx::platform {

// Where profile files named without a folder live: $NBX_CONFIG_DIR, else
// $XDG_CONFIG_HOME/nimbrel, else ~/.config/nimbrel. Not created here.
std::string ConfigFolder();

// A profile file name as the program spells it ("nbxconfig.ini") turned into a full path;
// a name that already holds a folder is used as it stands.
std::string ProfileFilePath(std::string_view name);

}  // namespace nbx::platform
