// The settings dialogs' OK checks, called as the windows and tamselc set call them.

#include "appmodel/SettingsChecks.h"

#include "project/Project.h"

#include <functional>

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace nbx {
namespace {

struct Case {
    const char* what;
    std::function<void(Project&)> change;
    const char* field;  // nullptr: accepted
    const char* message;
};

// Each case starts from settings that pass every check.
template <class Settings>
void RunCases(const std::vector<Case>& cases,
              std::optional<SettingsProblem> (*check)(const Settings&), const Project& good) {
    ASSERT_FALSE(check(good).has_value());
    for (const Case& c : cases) {
        Project p = good;
        c.change(p);
        const std::optional<SettingsProblem> problem = check(p);
        if (!c.field) {
            EXPECT_FALSE(problem.has_value()) << c.what;
            continue;
        }
        ASSERT_TRUE(problem.has_value()) << c.what;
        EXPECT_EQ(problem->field, c.field) << c.what;
        EXPECT_EQ(problem->message, c.message) << c.what;
    }
}

TEST(SettingsChecksTest, EBookInfoInTheDialogsOrder) {
    Project good;
    good.title = "T";
    good.author = "A";
    good.copyright = "C";
    RunCases(
        {
            {"all three empty: the title first",
             [](auto& p) { p.title = p.author = p.copyright = ""; }, "title",
             "Your E-Book must have a Title."},
            {"copyright before author", [](auto& p) { p.author = p.copyright = ""; }, "copyright",
             "You must have a Copyright message."},
            {"author", [](auto& p) { p.author = ""; }, "author",
             "You must have enter the Author's name."},
            {"blanks count as text", [](auto& p) { p.title = " "; }, nullptr, nullptr},
        },
        CheckEBookInfoSettings, good);
}

TEST(SettingsChecksTest, OutputInTheDialogsOrder) {
    Project good;
    good.outputExe = "/books/out/book";
    good.rebranderExe = "/books/out/rebrand";
    good.rebranderTitle = "R";
    good.rebranderStartMessage = "S";
    good.rebranderEndMessage = "E";
    good.buildRebrander = 1;
    RunCases(
        {
            {"no e-book path", [](auto& p) { p.outputExe = ""; }, "outputExe",
             "You have not set the Output E-Book EXE."},
            {"no Rebrander path", [](auto& p) { p.rebranderExe = ""; }, "rebranderExe",
             "You have not set the Output Rebrander EXE."},
            {"the Rebrander off: its fields unchecked",
             [](auto& p) {
                 p.buildRebrander = 0;
                 p.rebranderExe = p.rebranderTitle = "";
             },
             nullptr, nullptr},
            {"equal paths but for case", [](auto& p) { p.rebranderExe = "/BOOKS/OUT/BOOK"; },
             "rebranderExe",
             "The Output E-Book EXE and the Output Rebrander EXE must be set to different file "
             "names (but be in the same folder)."},
            {"other folder", [](auto& p) { p.rebranderExe = "/books/rebrand"; }, "rebranderExe",
             "The Output E-Book EXE and the Output Rebrander EXE must be both in the same "
             "folder."},
            {"folders equal but for case", [](auto& p) { p.rebranderExe = "/Books/Out/r"; },
             nullptr, nullptr},
            {"no title", [](auto& p) { p.rebranderTitle = ""; }, "rebranderTitle",
             "You have not set the Rebrander Title."},
            {"no start message", [](auto& p) { p.rebranderStartMessage = ""; },
             "rebranderStartMessage", "You have not set the Rebrander Start Message."},
            {"no end message", [](auto& p) { p.rebranderEndMessage = ""; }, "rebranderEndMessage",
             "You have not set the Rebrander End Message."},
        },
        CheckOutputSettings, good);
}

TEST(SettingsChecksTest, StartUpSizesAndSplash) {
    test::TempDir dir;
    Project good;
    good.splashBitmap = dir.Write("splash.bmp", "BM");
    const std::string missing = dir.File("missing.bmp");
    RunCases(
        {
            {"codes need no sizes", [](auto& p) { p.initialWidth = p.initialHeight = -1; }, nullptr,
             nullptr},
            {"custom at the edges",
             [](auto& p) {
                 p.initialWidth = 100;
                 p.initialHeight = 2000;
             },
             nullptr, nullptr},
            {"X too small first",
             [](auto& p) {
                 p.initialWidth = 99;
                 p.initialHeight = 5;
             },
             "initialWidth", "X size must be between 100 and 2000"},
            {"Y too large",
             [](auto& p) {
                 p.initialWidth = 800;
                 p.initialHeight = 2001;
             },
             "initialHeight", "Y size must be between 100 and 2000"},
            {"-4 is no size code", [](auto& p) { p.initialWidth = -4; }, "initialWidth",
             "X size must be between 100 and 2000"},
            {"missing splash", [missing](auto& p) { p.splashBitmap = missing; }, "splashBitmap",
             "The splash bitmap file does not exist."},
            {"no splash", [](auto& p) { p.splashBitmap = ""; }, nullptr, nullptr},
        },
        CheckStartUpSettings, good);
}

}  // namespace
}  // namespace nbx
