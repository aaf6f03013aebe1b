#include "project/Project.h"

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/ExecutablePath.h"
#include "platform/ProfileFile.h"
#include "project/CTamselDoc.h"
#include "project/DisplayNames.h"
#include "support/RecordingPrompter.h"

namespace nbx {
namespace {

SourceFile Entry(std::string path, std::string title = "", std::string key = "",
                 std::string description = "") {
    SourceFile f;
    f.path = std::move(path);
    f.title = std::move(title);
    f.orderKey = std::move(key);
    f.description = std::move(description);
    return f;
}

std::vector<std::string> Paths(const Project& p) {
    std::vector<std::string> out;
    for (const auto& f : p.files)
        out.push_back(f.path);
    return out;
}

std::vector<std::string> Keys(const Project& p) {
    std::vector<std::string> out;
    for (const auto& f : p.files)
        out.push_back(f.orderKey);
    return out;
}

TEST(ProjectDefaultsTest, NewProjectHasTheDefaults) {
    platform::OverrideExecutablePath("/opt/nimbrel/tamsel");
    ASSERT_TRUE(
        platform::WriteProfileString("QUORLIN.INI", "EBook", "NickName", std::string(300, 'n')));
    Project p;
    platform::OverrideExecutablePath("");

    EXPECT_EQ(p.title, "The title of your E-Book");
    EXPECT_EQ(p.author, "Your Name");
    EXPECT_EQ(p.copyright,
              "Copyright (C) " + std::to_string(platform::LocalNow().year) + ", Your Company");
    EXPECT_EQ(p.affiliateNickname, std::string(255, 'n'));
    EXPECT_EQ(p.splashBitmap, "/opt/nimbrel/splash16.bmp");
    EXPECT_EQ(p.iconFile, "/opt/nimbrel/icons/Books/idr_main.ico");
    EXPECT_EQ(p.initialWidth, -3);
    EXPECT_EQ(p.initialHeight, -3);
    EXPECT_EQ(p.language, "English");
    EXPECT_EQ(p.toolbarButtons, (std::array<bool, 12>{1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1, 1}));
    EXPECT_EQ(p.colors[kColourBackground], 0x00CCFFFFu);
    EXPECT_EQ(p.colors[kColourHoverLink], 0x000000FFu);
    EXPECT_EQ(p.exitButton, 0);
    EXPECT_EQ(p.rebranderOption, 1);
    EXPECT_EQ(p.rebranderStartMessage.substr(0, 40), "The author of this E-Book has allowed yo");
    EXPECT_TRUE(p.files.empty() && p.variables.empty() && p.extensions.empty());
    EXPECT_FALSE(p.IsModified());
    ASSERT_TRUE(platform::WriteProfileString("QUORLIN.INI", "EBook", "NickName", ""));
}

TEST(ProjectDefaultsTest, NewDocumentReplacesTheProject) {
    CTamselDoc doc;
    doc.project().title = "Changed";
    doc.SetModifiedFlag();
    doc.SetPath("/books/mine.nxp");
    EXPECT_EQ(doc.title(), "mine.nxp");
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.project().title, "The title of your E-Book");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.title(), "Untitled");
    EXPECT_TRUE(doc.path().empty());
}

TEST(ProjectDefaultsTest, RebranderTitleFollowsTheBookUntilSet) {
    Project p;
    p.title = "Book";
    EXPECT_EQ(p.EffectiveRebranderTitle(), "Rebrand Book");
    p.rebranderTitle = p.EffectiveRebranderTitle();  // what the output editor stores on OK
    p.title = "Other";
    EXPECT_EQ(p.EffectiveRebranderTitle(), "Rebrand Book");
}

TEST(IsHtmlNameTest, Table) {
    const std::pair<const char*, bool> cases[] = {
        {"a.HTML", true},       {"b.Htm", true}, {"x.html", true}, {"/d/page.htm", true},
        {".html", false},       {".htm", false}, {"x.ht", false},  {"a.htmlx", false},
        {"picture.gif", false}, {"", false},     {"ahtml", false}, {"a.b.shtml", false},
        {"x.y.html", true},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(IsHtmlName(name), expected) << name;
    }
}

TEST(SortFilesTest, HtmlFirstThenKeysTitlesAndPaths) {
    Project p;
    p.files = {Entry("/s/c.gif"),
               Entry("/s/b.gif"),
               Entry("/s/new2.htm", "Same"),
               Entry("/s/new1.htm", "Same"),
               Entry("/s/untitled.htm"),
               Entry("/s/second.htm", "Z", "00001001"),
               Entry("/s/first.htm", "Y", "00001000"),
               Entry("/s/a.gif", "Titled gif")};
    p.SortFiles();
    EXPECT_EQ(Paths(p), (std::vector<std::string>{"/s/first.htm", "/s/second.htm", "/s/new1.htm",
                                                  "/s/new2.htm", "/s/untitled.htm", "/s/a.gif",
                                                  "/s/b.gif", "/s/c.gif"}));
    EXPECT_EQ(Keys(p), (std::vector<std::string>{"00001000", "00001001", "00001002", "00001003",
                                                 "00001004", "", "", ""}));
}

TEST(SortFilesTest, DescriptionDecidesBetweenEqualTitles) {
    Project p;
    p.files = {Entry("/s/a.htm", "T", "", ""), Entry("/s/b.htm", "T", "", "zz"),
               Entry("/s/c.htm", "T", "", "aa")};
    p.SortFiles();
    EXPECT_EQ(Paths(p), (std::vector<std::string>{"/s/c.htm", "/s/b.htm", "/s/a.htm"}));
}

class MoveTest : public ::testing::Test {
protected:
    void SetUp() override {
        p.files = {Entry("/s/one.htm", "1"), Entry("/s/two.htm", "2"), Entry("/s/three.htm", "3"),
                   Entry("/s/pic.gif")};
        p.SortFiles();
    }
    Project p;
    test::RecordingPrompter prompter;
};

TEST_F(MoveTest, EdgesAreRefusedWithTheirMessages) {
    p.MoveFileUp(0, prompter);
    p.MoveFileDown(2, prompter);  // the next entry is a GIF
    p.MoveFileDown(3, prompter);  // not an HTML file at all
    EXPECT_EQ(prompter.messages,
              (std::vector<std::string>{"This file can not be moved further up.",
                                        "This file can not be moved further down.",
                                        "This file can not be moved further down."}));
    EXPECT_EQ(Paths(p)[0], "/s/one.htm");
    EXPECT_FALSE(p.IsModified());
}

TEST_F(MoveTest, UpAndDownExchangeNeighbours) {
    p.MoveFileDown(0, prompter);
    EXPECT_EQ(Paths(p)[0], "/s/two.htm");
    EXPECT_EQ(Paths(p)[1], "/s/one.htm");
    p.MoveFileUp(2, prompter);
    EXPECT_EQ(Paths(p),
              (std::vector<std::string>{"/s/two.htm", "/s/three.htm", "/s/one.htm", "/s/pic.gif"}));
    EXPECT_TRUE(p.IsModified());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(MoveTest, TopAndBottomRenumber) {
    p.MoveFileToBottom(1);
    EXPECT_EQ(Paths(p),
              (std::vector<std::string>{"/s/one.htm", "/s/three.htm", "/s/two.htm", "/s/pic.gif"}));
    EXPECT_EQ(Keys(p), (std::vector<std::string>{"00001000", "00001001", "00001002", ""}));
    p.MoveFileToTop(2);
    EXPECT_EQ(Paths(p)[0], "/s/two.htm");
    EXPECT_EQ(Keys(p)[0], "00001000");
    EXPECT_TRUE(p.IsModified());
}

TEST(ProjectTest, CountsAndFinds) {
    Project p;
    p.files = {Entry("/s/a.htm"), Entry("/s/b.htm")};
    p.files[1].excluded = 1;
    EXPECT_EQ(p.CountExcludedFiles(), 1);
    p.extensions = {"/ext/One.so", "/ext/two.so"};
    EXPECT_EQ(p.FindExtension("/ext/two.so"), 1);
    EXPECT_EQ(p.FindExtension("/ext/one.so"), -1);
    p.SetOutputPaths("/o/book", "/o/rebrand");
    EXPECT_EQ(p.outputExe, "/o/book");
    EXPECT_FALSE(p.IsModified());
}

TEST(DisplayNamesTest, CodeTables) {
    EXPECT_EQ(SizeDisplayName(-1), "Maximized");
    EXPECT_EQ(SizeDisplayName(-2), "Minimized");
    EXPECT_EQ(SizeDisplayName(-3), "Default");
    EXPECT_EQ(SizeDisplayName(640), "640");
    EXPECT_EQ(PositionDisplayName(-8), "Top Left");
    EXPECT_EQ(PositionDisplayName(-1), "Top Centered");
    EXPECT_EQ(PositionDisplayName(0), "Centered");
    EXPECT_EQ(PositionDisplayName(-9), "Centered");
    EXPECT_EQ(SystemPageKindDisplayName(2), "My Own Page");
    EXPECT_EQ(SystemPageKindDisplayName(3), "Error");
    EXPECT_EQ(InstallOptionDisplayName(-2), "On the Start Menu");
    EXPECT_EQ(InstallOptionDisplayName(5), "N/A");
}

}  // namespace
}  // namespace nbx
