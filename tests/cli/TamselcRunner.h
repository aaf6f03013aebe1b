#pragma once
// Runs the built tamselc from the program folder as a script would, with no terminal.

#include <string>
#include <vector>

namespace nbx {

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

Outcome Tamselc(const std::vector<std::string>& args);

}  // namespace nbx
