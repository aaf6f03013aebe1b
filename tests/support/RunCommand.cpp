#include "support/RunCommand.h"

#include <array>
#include <cstdio>

namespace nbx::test {

std::string RunCommand(const std::string& command, int& status) {
    std::string out;
    FILE* p = ::popen(command.c_str(), "r");
    if (!p) {
        status = -1;
        return out;
    }
    std::array<char, 4096> buffer;
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), p)) > 0) {
        out.append(buffer.data(), n);
    }
    status = ::pclose(p);
    return out;
}

}  // namespace nbx::test
