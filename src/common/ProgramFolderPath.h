#pragma once
#include <string>
#include <string_view>

namespace nbx {

// The folder of the running program plus a relative name ("icons\\Books\\idr_main.ico" is
// accepted with either separator). Empty when the program's path has no folder part.
std::string ProgramFolderPath(std::string_view relativeName);

}  // namespace nbx
