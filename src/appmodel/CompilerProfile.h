#pragma once
// The compiler window's own profile file in the configuration folder, in place of the
// framework's registry profile: the recent-file list and the progress window's place.

namespace nbx {

inline constexpr const char* kCompilerProfileFile = "tamsel.ini";

}  // namespace nbx
