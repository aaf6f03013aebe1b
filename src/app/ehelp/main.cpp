// ehelp: opens the user guide, the e-book "userguide" in the program folder.

#include <unistd.h>

#include <cstdio>
#include <string>

#include "common/ProgramFolderPath.h"

int main() {
    const std::string guide = nbx::ProgramFolderPath("userguide");
    if (guide.empty()) {
        std::fprintf(stderr, "ehelp: cannot find the program folder\n");
        return 1;
    }
    char* const args[] = {const_cast<char*>(guide.c_str()), nullptr};
    ::execv(guide.c_str(), args);
    std::perror(("ehelp: " + guide).c_str());
    return 1;
}
