#pragma once
// Runs tamselc with no terminal: the built program from the program folder as a script would,
// or its commands in this process with string streams for its output.

#include <string>
#include <vector>

namespace nbx {

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

Outcome Tamselc(const std::vector<std::string>& args);
Outcome TamselcInProcess(const std::vector<std::string>& args);

}  // namespace nbx
