#pragma once
// Paths of the sample extension libraries and the log of the calls they received.

#include <stdlib.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace nbx::test {

inline std::string SampleExtension(const char* name) {
    return std::string(NBX_SAMPLE_EXTENSION_DIR) + "/libnbxext_" + name + ".so";
}

// Points the sample libraries' call log at a fresh file for the life of the object.
class ExtensionCallLog {
public:
    ExtensionCallLog() : path_(dir_.File("calls.log")) {
        ::setenv("NBX_EXTENSION_LOG", path_.c_str(), 1);
    }
    ~ExtensionCallLog() { ::unsetenv("NBX_EXTENSION_LOG"); }

    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::istringstream in(ReadWholeFile(path_));
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }

private:
    TempDir dir_;
    std::string path_;
};

}  // namespace nbx::test
