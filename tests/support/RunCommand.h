#pragma once
// Runs a shell command line for tests that start the built programs.

#include <string>

namespace nbx::test {

// Runs command with /bin/sh and returns what it printed on stdout; status receives the wait
// status (-1 when the shell could not be started).
std::string RunCommand(const std::string& command, int& status);

// text as one word of a command line: in single quotes (test paths hold none).
inline std::string Quote(const std::string& text) {
    return "'" + text + "'";
}

}  // namespace nbx::test
