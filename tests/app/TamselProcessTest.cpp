// The real tamsel program on a real (virtual) display, driven by keys as a person would: it
// opens the project named on its command line, F5 brings in a page added to the source
// folder, Ctrl+S saves, and Alt+F, X quits.

#include <filesystem>

#include "MainFrameFixture.h"
#include "project/CTamselDoc.h"

namespace nbx::test {
namespace {

using TamselProcessTest = MainFrameFixture;

TEST_F(TamselProcessTest, KeysOpenRefreshSaveAndQuit) {
    dir.Write("src/extra.htm", "<title>Extra</title>");
    // Every step waits for what it needs to see; the bounds only keep a broken program from
    // holding the test for ever.
    const std::string out = DriveTamsel(R"(#!/bin/sh
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
    EXPECT_EQ(out, "exit 0\n") << ReadWholeFile(dir.File("tamsel.log"));

    CTamselDoc saved;
    ASSERT_TRUE(saved.OnOpenDocument(projectPath, prompter));
    std::vector<std::string> names;
    for (const auto& f : saved.project().files) {
        names.push_back(std::filesystem::path(f.path).filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"extra.htm", "index.htm", "knots.htm", "pic.gif"}));
    // The program told where it lives.
    EXPECT_NE(ReadWholeFile(dir.File("config/nbxconfig.ini")).find("COMPILER="), std::string::npos);
}

}  // namespace
}  // namespace nbx::test
