// Programs started on their own: a failed start gives its errno, a quick end its status
// within the wait asked for, and no child of the caller is ever left behind.

#include "platform/DetachedProcess.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace nbx::platform {
namespace {

TEST(DetachedProcessTest, StartsReportsAndLeavesNoChild) {
    test::TempDir dir;
    const std::string script = dir.Write("bin/ends", "#!/bin/sh\nexit \"$1\"\n");
    const std::string text = dir.Write("bin/text", "no interpreter line");
    ::chmod(script.c_str(), 0755);
    ::chmod(text.c_str(), 0755);
    DetachedOptions wait;
    wait.waitMs = 5000;
    struct Case {
        std::vector<std::string> command;
        DetachedOptions options;
        int error;
        bool exited;
        int code;
    };
    DetachedOptions search = wait;
    search.searchPath = true;
    const std::string path = dir.File("bin") + ":/usr/bin:/bin";
    const Case cases[] = {
        {{script, "3"}, wait, 0, true, 3},
        {{"ends", "4"}, search, 0, true, 4},  // found on $PATH
        {{dir.File("bin/missing")}, wait, ENOENT, false, 0},
        {{"no-such-program-here"}, search, ENOENT, false, 0},
        {{text}, wait, ENOEXEC, false, 0},
        {{"/bin/sleep", "1"}, DetachedOptions{}, 0, false, 0},  // left running
    };
    const char* saved = std::getenv("PATH");
    const std::string savedPath = saved ? saved : "";
    ::setenv("PATH", path.c_str(), 1);
    for (const Case& c : cases) {
        const DetachedStart started = StartProgramDetached(c.command, c.options);
        EXPECT_EQ(started.error, c.error) << c.command[0];
        EXPECT_EQ(started.exited, c.exited) << c.command[0];
        if (c.exited) {
            EXPECT_TRUE(WIFEXITED(started.waitStatus));
            EXPECT_EQ(WEXITSTATUS(started.waitStatus), c.code) << c.command[0];
        }
        int status = 0;
        EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1) << c.command[0];
    }
    ::setenv("PATH", savedPath.c_str(), 1);
}

}  // namespace
}  // namespace nbx::platform
