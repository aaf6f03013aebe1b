#pragma once
#include <string>

namespace nbx::platform {

// Full path of the running program (/proc/self/exe), or the path set by
// OverrideExecutablePath; empty when it cannot be read.
std::string ExecutablePath();

// For tests and tools that run outside the program folder: makes ExecutablePath answer
// `path` from now on. An empty path restores the real answer.
void OverrideExecutablePath(const std::string& path);

}  // namespace nbx::platform
