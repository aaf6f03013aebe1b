#include <gtest/gtest.h>

#include "appmodel/MainWindowRules.h"
#include "appmodel/RecentFileList.h"
#include "project/Project.h"

namespace nbx {
namespace {

TEST(MainWindowRulesTest, ItemCommandsOnlyOnTheTwoLists) {
    for (std::size_t i = 0; i < kMainTabCount; ++i) {
        const auto tab = static_cast<MainTab>(i);
        EXPECT_EQ(ItemCommandsEnabled(tab), tab == MainTab::Files || tab == MainTab::Variables)
            << MainTabTitle(tab);
    }
    EXPECT_EQ(MainTabTitle(MainTab::Variables), "Nimbrel Variables");
}

TEST(MainWindowRulesTest, FileCommandsFollowTabSelectionAndKind) {
    Project p;
    EXPECT_FALSE(FileCommands(p, MainTab::Files, std::nullopt).refresh);
    p.sourceFolder = "/src";
    p.files.resize(2);
    p.files[0].path = "/src/a.htm";
    p.files[1].path = "/src/pic.gif";
    struct Case {
        MainTab tab;
        std::optional<std::size_t> row;
        bool excluded, html;
    } cases[] = {
        {MainTab::Files, 0, true, true},
        {MainTab::Files, 1, true, false},
        {MainTab::Files, std::nullopt, false, false},
        {MainTab::Files, 5, false, false},
        {MainTab::EBookInfo, 0, false, false},
    };
    for (const auto& c : cases) {
        const FileCommandState s = FileCommands(p, c.tab, c.row);
        EXPECT_TRUE(s.refresh);
        EXPECT_TRUE(s.allFiles);
        EXPECT_EQ(s.toggleExcluded, c.excluded);
        EXPECT_EQ(s.htmlCommands, c.html);
    }
    p.variables.emplace_back().name = "x";
    EXPECT_TRUE(VariableCommandsEnabled(p, MainTab::Variables, 0));
    EXPECT_FALSE(VariableCommandsEnabled(p, MainTab::Files, 0));
    EXPECT_FALSE(VariableCommandsEnabled(p, MainTab::Variables, 1));
}

TEST(MainWindowRulesTest, ListCells) {
    const SourceFile f{.path = "/src/a.htm",
                       .title = "A",
                       .description = "d",
                       .keywords = "k",
                       .orderKey = "",
                       .searchable = 1,
                       .inContents = 0,
                       .excluded = 1,
                       .preprocess = 1};
    ProjectSettings flat;
    flat.sourceFolder = "/src";
    EXPECT_EQ(FileListCells(flat, f),
              (std::vector<std::string>{"a.htm", "Excluded", "A", "d", "k", "Yes", "", "Yes"}));
    ProjectSettings tree = flat;
    tree.includeSubFolders = 1;
    SourceFile nested = f;
    nested.path = "/src/library/os.html";
    EXPECT_EQ(FileListCells(tree, nested).front(), "library/os.html");
    // Titles are stored as the pages wrote them and shown decoded, once.
    nested.title = "&lt;CONFIG&gt;_OUTPUT_NAME &#8212; Fish &amp;amp; Chips";
    EXPECT_EQ(FileListCells(tree, nested)[2], "<CONFIG>_OUTPUT_NAME \u2014 Fish &amp; Chips");
    const Variable v{
        .name = "v", .description = "D", .value = "x", .orderKey = "", .canRebrand = 0, .kind = 5};
    EXPECT_EQ(VariableListCells(v),
              (std::vector<std::string>{"v", "Include -> HTML", "", "D", "x"}));
}

TEST(MainWindowRulesTest, ReselectTakesTheLastRowWithTheSameText) {
    const std::vector<std::string> cells = {"a", "b", "a", "c"};
    EXPECT_EQ(RowToReselect(cells, std::string("a")), 2u);
    EXPECT_EQ(RowToReselect(cells, std::string("c")), 3u);
    EXPECT_EQ(RowToReselect(cells, std::string("z")), std::nullopt);
    EXPECT_EQ(RowToReselect(cells, std::nullopt), std::nullopt);
}

TEST(MainWindowRulesTest, Titles) {
    EXPECT_EQ(MainWindowTitle("Untitled"), "Untitled - Nimbrel E-Book Compiler");
    EXPECT_EQ(SaveChangesQuestion("book.nxp"), "Save changes to book.nxp?");
    EXPECT_EQ(RecentFileMenuText(8, "/p/b.nxp"), "&9 /p/b.nxp");
}

TEST(RecentFileListTest, NewestFirstNineAtMostAndKeptInTheProfile) {
    RecentFileList list;
    for (int i = 0; i < 11; ++i) {
        list.Add("/p/" + std::to_string(i) + ".nxp");
    }
    list.Add("/p/5.nxp");
    ASSERT_EQ(list.entries().size(), 9u);
    EXPECT_EQ(list.entries().front(), "/p/5.nxp");
    EXPECT_EQ(list.entries()[1], "/p/10.nxp");
    EXPECT_EQ(list.entries().back(), "/p/2.nxp");
    list.Remove("/p/10.nxp");
    ASSERT_TRUE(list.Save());
    RecentFileList again;
    again.Load();
    EXPECT_EQ(again.entries(), list.entries());
}

// A project whose path holds a line break is left out of the remembered list; the entries
// after it move up instead of leaving its key to an older path.
TEST(RecentFileListTest, APathOfSeveralLinesIsLeftOut) {
    RecentFileList list;
    for (const char* path : {"/p/old1.nxp", "/p/old2.nxp", "/p/old3.nxp"}) {
        list.Add(path);
    }
    ASSERT_TRUE(list.Save());
    list = RecentFileList();
    list.Add("/p/b.nxp");
    list.Add("/p/x\n[Settings]\nX=1.nxp");
    list.Add("/p/a.nxp");
    list.Save();
    RecentFileList again;
    again.Load();
    EXPECT_EQ(again.entries(), (std::vector<std::string>{"/p/a.nxp", "/p/b.nxp"}));
}

}  // namespace
}  // namespace nbx
