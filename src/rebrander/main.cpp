// rebrand: the Rebrander, served to the reseller's own browser. A Rebrander program is this
// program with a record naming its e-book joined to its end, so it reads its own file to
// learn which e-book to work on. With --set or --list it works on the console alone. It
// links only the C and C++ run-time libraries.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "platform/ExecutablePath.h"
#include "rebranding/RebrandCommand.h"
#include "rebranding/ServedRebrander.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const std::string self = nbx::platform::ExecutablePath();
    if (nbx::IsRebrandCommandLine(arguments)) {
        return nbx::RunRebrandCommand(self, arguments, std::cout, std::cerr);
    }
    return nbx::RunServedRebrander(self, stdout, stderr);
}
