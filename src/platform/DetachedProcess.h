#pragma once
// Starting a program that runs on its own. Every start goes through a short-lived middle
// process that the caller reaps at once; the program itself belongs to init once the middle
// process has ended, so however long it runs it never stays a zombie of the caller's.

#include <string>
#include <vector>

namespace nbx::platform {

struct DetachedStart {
    int error = 0;        // errno of a start that failed; 0 when the program started
    bool exited = false;  // the program ended within the wait asked for
    int waitStatus = 0;   // how it ended (a waitpid status), when it did
};

struct DetachedOptions {
    bool searchPath = false;  // look command[0] up on $PATH when it holds no '/'
    int waitMs = 0;           // wait this long for the program to end before leaving it
    // "NAME=value" entries for the program alone, over the caller's environment.
    std::vector<std::string> environment;
};

// Starts command (command[0] the program, the rest its arguments) in a session of its own.
// REQUIRES: command is not empty.
DetachedStart StartProgramDetached(const std::vector<std::string>& command,
                                   const DetachedOptions& options = {});

}  // namespace nbx::platform
