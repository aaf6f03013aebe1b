// The OK checks of the settings dialogs, in their order, and what OK writes back.

#include <gtest/gtest.h>

#include "appmodel/EBookInfoRules.h"
#include "appmodel/StartUpRules.h"
#include "project/Project.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

TEST(EBookInfoRules, ChecksTitleThenCopyrightThenAuthor) {
    struct Case {
        EBookInfoValues values;
        const char* message;  // empty: accepted
    };
    const Case cases[] = {
        {{"", "", "", "", "", ""}, "Your E-Book must have a Title."},
        {{"T", "", "", "", "", ""}, "You must have a Copyright message."},
        {{"T", "", "(C)", "", "", ""}, "You must have enter the Author's name."},
        {{" ", "", " ", " ", "", ""}, ""},  // blanks count as filled
    };
    for (const Case& c : cases) {
        const auto failure = CheckEBookInfo(c.values);
        EXPECT_EQ(failure ? failure->message : "", c.message);
    }
    EXPECT_EQ(CheckEBookInfo({"", "", "", "", "", ""})->field, EBookInfoField::Title);
}

TEST(EBookInfoRules, ApplyMarksModifiedEvenWithoutChange) {
    Project project;
    ApplyEBookInfo(EBookInfoOf(project), project);
    EXPECT_TRUE(project.IsModified());
}

OutputValues Rebranding(std::string book, std::string rebrander) {
    return {std::move(book), true, std::move(rebrander), "Title", "Start", "End"};
}

TEST(OutputRules, ChecksInOrderWithTheFieldAtFault) {
    struct Case {
        OutputValues values;
        const char* message;
        OutputField field;
    };
    OutputValues noTitle = Rebranding("/o/a.exe", "/o/b.exe");
    noTitle.rebranderTitle.clear();
    OutputValues noStart = Rebranding("/o/a.exe", "/o/b.exe");
    noStart.rebranderStartMessage.clear();
    OutputValues noEnd = Rebranding("/o/a.exe", "/o/b.exe");
    noEnd.rebranderEndMessage.clear();
    OutputValues off{"/o/a.exe", false, "", "", "", ""};
    const Case cases[] = {
        {Rebranding("", ""), "You have not set the Output E-Book EXE.", OutputField::EBookExe},
        {Rebranding("/o/a.exe", ""), "You have not set the Output Rebrander EXE.",
         OutputField::RebranderExe},
        {Rebranding("/o/a.exe", "/O/A.EXE"),
         "The Output E-Book EXE and the Output Rebrander EXE must be set to different file "
         "names (but be in the same folder).",
         OutputField::RebranderExe},
        {Rebranding("/o/a.exe", "/o/sub/b.exe"),
         "The Output E-Book EXE and the Output Rebrander EXE must be both in the same folder.",
         OutputField::RebranderExe},
        {noTitle, "You have not set the Rebrander Title.", OutputField::RebranderTitle},
        {noStart, "You have not set the Rebrander Start Message.", OutputField::StartMessage},
        {noEnd, "You have not set the Rebrander End Message.", OutputField::EndMessage},
    };
    for (const Case& c : cases) {
        const auto failure = CheckOutput(c.values);
        ASSERT_TRUE(failure) << c.message;
        EXPECT_EQ(failure->message, c.message);
        EXPECT_EQ(failure->field, c.field) << c.message;
    }
    EXPECT_FALSE(CheckOutput(off));  // with the Rebrander off only the e-book path counts
    EXPECT_FALSE(CheckOutput(Rebranding("/o/a.exe", "/O/b.exe")));  // folders ignore case
}

TEST(OutputRules, OpensWithTheEffectiveRebranderTitleAndKeepsTypedCase) {
    Project project;
    project.title = "Book";
    project.rebranderTitle.clear();
    EXPECT_EQ(OutputOf(project).rebranderTitle, "Rebrand Book");
    ApplyOutput(Rebranding("/O/Book.EXE", "/O/rb.exe"), project);
    EXPECT_EQ(project.outputExe, "/O/Book.EXE");
    EXPECT_EQ(project.buildRebrander, 1);
    EXPECT_TRUE(project.IsModified());
}

TEST(OutputRules, BrowseStartsAtThePathOrTheOtherPathsFolder) {
    EXPECT_EQ(OutputBrowseStart("/o/a.exe", "/p/b.exe"), "/o/a.exe");
    EXPECT_EQ(OutputBrowseStart("", "/p/b.exe"), "/p/");
    EXPECT_EQ(OutputBrowseStart("", ""), "");
}

StartUpValues Custom(std::string x, std::string y) {
    StartUpValues values;
    values.sizeIndex = 3;
    values.x = std::move(x);
    values.y = std::move(y);
    return values;
}

TEST(StartUpRules, ChecksSizesThenSplashInOrder) {
    struct Case {
        StartUpValues values;
        const char* message;  // empty: accepted
    };
    StartUpValues missingSplash = Custom("640", "480");
    missingSplash.splashBitmap = "/no/such/splash.bmp";
    StartUpValues maximized;
    maximized.sizeIndex = 0;  // X and Y are not looked at
    const Case cases[] = {
        {Custom(" ", ""), "No X size set"},
        {Custom("640", " "), "No Y size set"},
        {Custom("99", ""), "No Y size set"},
        {Custom("99", "480"), "X size must be between 100 and 2000"},
        {Custom("2001", "480"), "X size must be between 100 and 2000"},
        {Custom("99999999999999999999", "480"), "X size must be between 100 and 2000"},
        {Custom("640", "2001"), "Y size must be between 100 and 2000"},
        {Custom("640", "99"), "Y size must be between 100 and 2000"},
        {missingSplash, "The splash bitmap file does not exist."},
        {Custom("100", "2000"), ""},
        {maximized, ""},
    };
    for (const Case& c : cases) {
        const auto failure = CheckStartUp(c.values);
        EXPECT_EQ(failure ? failure->message : "", c.message) << c.values.x << "x" << c.values.y;
    }
}

TEST(StartUpRules, ListsAndStoredValues) {
    EXPECT_EQ(SplashDelayChoices().size(), 100u);
    EXPECT_EQ(SplashDelayName(1500), "1.5 secs");
    EXPECT_EQ(SplashDelayName(9900), "9.9 secs");
    EXPECT_EQ(SplashDelayIndex(150), 0);
    EXPECT_EQ(SplashDelayIndex(9900), 99);
    const char* order[] = {"Centered",    "Top Left",        "Top Centered",
                           "Top Right",   "Left Centered",   "Right Centered",
                           "Bottom Left", "Bottom Centered", "Bottom Right"};
    ASSERT_EQ(StartUpPositionChoices().size(), 9u);
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_STREQ(StartUpPositionChoices()[i].name, order[i]);
    }
    EXPECT_EQ(StartUpPositionIndex(-8), 1);
    EXPECT_EQ(StartUpPositionIndex(42), 0);

    Project project;
    project.initialWidth = 640;
    project.initialHeight = 480;
    project.initialPosition = -4;
    project.splashExtraDelay = 150;
    project.splashBitmap.clear();
    StartUpValues values = StartUpOf(project);
    EXPECT_TRUE(IsCustomSize(values));
    EXPECT_EQ(values.x, "640");
    EXPECT_EQ(values.y, "480");
    ApplyStartUp(values, project);
    EXPECT_EQ(project.splashExtraDelay, 0);
    EXPECT_EQ(project.initialPosition, -4);

    values.sizeIndex = 0;  // Maximized: both sizes -1, position kept
    ApplyStartUp(values, project);
    EXPECT_EQ(project.initialWidth, -1);
    EXPECT_EQ(project.initialHeight, -1);
    EXPECT_EQ(project.initialPosition, -4);
}

TEST(UserInterfaceRules, SwitchesInListOrderAndResizableWritesAllThree) {
    const auto& switches = InterfaceSwitches();
    ASSERT_EQ(switches.size(), 32u);
    EXPECT_STREQ(switches[12].text, "Toolbar - Back button");
    EXPECT_STREQ(switches[14].text, "Toolbar - Previous button");
    EXPECT_STREQ(switches[31].text, "Window is always on top");
    Project project;
    UserInterfaceValues values = UserInterfaceOf(project);
    // The defaults of a new project, in list order.
    const std::vector<bool> defaults{1, 1, 0, 1, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                                     1, 1, 1, 1, 1, 1, 0, 0, 1, 1, 0, 1, 0, 1, 1, 0};
    EXPECT_EQ(values.switches, defaults);
    values.switches[30] = false;  // "Window can be resized"
    values.switches[22] = true;   // Find
    values.toolbarPosition = 3;
    ApplyUserInterface(values, project);
    EXPECT_EQ(project.windowResizable, 0);
    EXPECT_EQ(project.windowResizableCopyA, 0);
    EXPECT_EQ(project.windowResizableCopyB, 0);
    EXPECT_EQ(project.toolbarButtons[kButtonFind], 1);
    EXPECT_EQ(project.toolbarPosition, 3);
    EXPECT_TRUE(project.IsModified());
}

}  // namespace
}  // namespace nbx
