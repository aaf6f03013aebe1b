// The real tamsel program on a real (virtual) display, driven by keys as a person would: it
// opens the project named on its command line, F5 brings in a page added to the source
// folder, Ctrl+S saves, and Alt+F, X quits.

#include <sys/wait.h>

#include <filesystem>

#include "MainFrameFixture.h"
#include "project/CTamselDoc.h"
#include "support/RunCommand.h"

namespace nbx::test {
namespace {

using TamselProcessTest = MainFrameFixture;

TEST_F(TamselProcessTest, KeysOpenRefreshSaveAndQuit) {
    if (std::system("command -v xvfb-run >/dev/null && command -v xdotool >/dev/null") != 0) {
        GTEST_FAIL() << "xvfb-run and xdotool are needed (scripts/install-deps.sh)";
    }
    dir.Write("src/extra.htm", "<title>Extra</title>");
    const std::string config = dir.File("config");
    std::filesystem::create_directories(config);
    // Every step waits for what it needs to see; the bounds only keep a broken program from
    // holding the test for ever.
    const std::string script = dir.Write("drive.sh", R"(#!/bin/sh
set -u
program="$1"; project="$2"
QT_QPA_PLATFORM=xcb "$program" "$project" >"$3" 2>&1 &
pid=$!
window=$(xdotool search --sync --limit 1 --name '^knots\.nxp - Nimbrel E-Book Compiler$')
[ -n "$window" ] || { kill $pid; echo "no window"; exit 3; }
xdotool windowfocus --sync "$window"
xdotool key F5
xdotool key ctrl+s
n=0
until grep -q extra.htm "$project" 2>/dev/null; do
    n=$((n + 1)); [ $n -gt 300 ] && { kill $pid; echo "not saved"; exit 4; }
    sleep 0.1
done
xdotool key alt+f
xdotool key x
wait $pid
echo "exit $?"
)");
    const std::string command = "LSAN_OPTIONS=suppressions='" + std::string(NBX_LSAN_SUPPRESSIONS) +
                                "' NBX_CONFIG_DIR='" + config + "' timeout 120 xvfb-run -a sh '" +
                                script + "' '" + std::string(NBX_PROGRAM_DIR) + "/tamsel' '" +
                                projectPath + "' '" + dir.File("tamsel.log") + "'";
    int status = 0;
    const std::string out = RunCommand(command, status);
    EXPECT_EQ(out, "exit 0\n") << ReadWholeFile(dir.File("tamsel.log"));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << out;

    CTamselDoc saved;
    ASSERT_TRUE(saved.OnOpenDocument(projectPath, prompter));
    std::vector<std::string> names;
    for (const auto& f : saved.project().files) {
        names.push_back(std::filesystem::path(f.path).filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"extra.htm", "index.htm", "knots.htm", "pic.gif"}));
    // The program told where it lives.
    EXPECT_NE(ReadWholeFile(config + "/nbxconfig.ini").find("COMPILER="), std::string::npos);
}

}  // namespace
}  // namespace nbx::test
