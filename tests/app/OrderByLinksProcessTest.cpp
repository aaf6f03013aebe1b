// Order By Links in the real tamsel on a real (virtual) display, driven by keys as a person
// would: the menu, its question (answered Yes) and the message after it are modal boxes over
// the window, and the saved project holds the new order.

#include <filesystem>

#include "MainFrameFixture.h"
#include "project/CTamselDoc.h"

namespace nbx::test {
namespace {

using OrderByLinksProcessTest = MainFrameFixture;

TEST_F(OrderByLinksProcessTest, KeysOrderThePagesByTheirLinksAndSave) {
    // The project holds knots.htm first; the index links it, so by links the index leads.
    dir.Write("src/index.htm", "<title>Home</title><a href=\"knots.htm\">Knots</a>");
    {
        CTamselDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(projectPath, prompter));
        doc.project().MoveFileToTop(1);
        ASSERT_TRUE(doc.OnSaveDocument(projectPath, prompter));
        ASSERT_EQ(std::filesystem::path(doc.project().files[0].path).filename(), "knots.htm");
    }
    const std::string copy = dir.Write("before.nxp", ReadWholeFile(projectPath));
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
xdotool key alt+e
sleep 0.3
xdotool key f
sleep 0.3
xdotool key l
# The question, then the message: each a box of its own over the window.
question=$(xdotool search --sync --limit 1 --onlyvisible --name '^Nimbrel E-Book Compiler$')
[ -n "$question" ] || { kill $pid; echo "no question"; exit 4; }
xdotool windowfocus --sync "$question"
xdotool key y
sleep 0.5
told=$(xdotool search --sync --limit 1 --onlyvisible --name '^Nimbrel E-Book Compiler$')
[ -n "$told" ] || { kill $pid; echo "no message"; exit 5; }
xdotool windowfocus --sync "$told"
xdotool key Return
sleep 0.3
xdotool windowfocus --sync "$window"
xdotool key ctrl+s
n=0
while cmp -s "$project" "$4"; do
    n=$((n + 1)); [ $n -gt 300 ] && { kill $pid; echo "not saved"; exit 6; }
    sleep 0.1
done
xdotool key alt+f
xdotool key x
wait $pid
echo "exit $?"
)",
                                        {copy});
    EXPECT_EQ(out, "exit 0\n") << ReadWholeFile(dir.File("tamsel.log"));

    CTamselDoc saved;
    ASSERT_TRUE(saved.OnOpenDocument(projectPath, prompter));
    std::vector<std::string> names;
    for (const auto& f : saved.project().files) {
        names.push_back(std::filesystem::path(f.path).filename().string());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"index.htm", "knots.htm", "pic.gif"}));
}

}  // namespace
}  // namespace nbx::test
