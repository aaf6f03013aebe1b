// Order By Links on a project: the files of a scanned tree take the order of their links as
// the order keys a sort writes; excluded pages and other files keep out of the way; the
// window's command asks first and tells what it did.

#include "appmodel/LinkOrderCommand.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "project/EntryName.h"
#include "project/Project.h"
#include "project/SourceFolderScan.h"
#include "support/RecordingPrompter.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

using Names = std::vector<std::string>;

class LinkOrderCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Titles that sort against the links, so a title order would show.
        dir.Write("src/index.html",
                  "<title>Z Contents</title><a href=\"guide/b.html\">B</a> <a "
                  "href=\"guide/a.html\">A</a> <img src=\"pic.png\">");
        dir.Write("src/guide/a.html",
                  "<title>B second</title><link rel=next href=\"../end.html\">");
        dir.Write("src/guide/b.html", "<title>A first</title><a href=\"hidden.html\">x</a>");
        dir.Write("src/guide/hidden.html", "<title>Hidden</title><a href=\"../end.html\">x</a>");
        dir.Write("src/end.html", "<title>C end</title>");
        dir.Write("src/zz-orphan.html", "<title>0 orphan</title>");
        dir.Write("src/pic.png", "PNG");
        project.includeSubFolders = 1;
        ScanChosenFolder(project, dir.File("src"), prompter);
        project.SortFiles();
        project.SetModified(false);
    }

    Names Order() const {
        Names names;
        for (const SourceFile& f : project.files) {
            names.push_back(EntryNameOf(project, f));
        }
        return names;
    }

    std::size_t Find(const std::string& name) const {
        return static_cast<std::size_t>(FindFileByEntryName(project, name));
    }

    test::TempDir dir;
    test::RecordingPrompter prompter;
    Project project;
};

TEST_F(LinkOrderCommandTest, FilesTakeTheOrderOfTheirLinksAsOrderKeys) {
    // An excluded page is no page of the book: links do not reach it and it comes after them.
    project.files[Find("guide/hidden.html")].excluded = 1;
    const LinkOrderOutcome outcome = OrderFilesByLinks(project);
    EXPECT_EQ(Order(), (Names{"index.html", "guide/b.html", "guide/a.html", "end.html",
                              "zz-orphan.html", "guide/hidden.html", "pic.png"}));
    EXPECT_EQ(outcome.pages, 5u);
    EXPECT_EQ(outcome.reached, 4u);
    EXPECT_EQ(outcome.start, "index.html");
    EXPECT_TRUE(project.IsModified());
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(project.files[i].orderKey, OrderKeyForPosition(i));
    }
    EXPECT_EQ(project.files[6].orderKey, "");
    // A sort, as every redraw of the Files tab makes, keeps it.
    project.SortFiles();
    EXPECT_EQ(project.files[3].path, dir.File("src/end.html"));
    EXPECT_EQ(LinkOrderMessage(outcome),
              "5 pages put in the order of their links from index.html. 1 page that no link "
              "from it reaches comes last, by name.");
}

TEST_F(LinkOrderCommandTest, APageThatCannotBeReadLinksNowhere) {
    std::filesystem::remove(dir.File("src/index.html"));
    OrderFilesByLinks(project);
    EXPECT_EQ(Order(), (Names{"index.html", "end.html", "guide/a.html", "guide/b.html",
                              "guide/hidden.html", "zz-orphan.html", "pic.png"}));
}

TEST_F(LinkOrderCommandTest, TheWindowsCommandAsksFirstAndTellsWhatItDid) {
    const Names before = Order();
    int redrawn = 0;
    const auto redraw = [&redrawn] { ++redrawn; };
    EXPECT_FALSE(RunOrderByLinksCommand(project, prompter, redraw));  // No is the default
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0].defaultAnswer, Answer::No);
    EXPECT_EQ(Order(), before);
    EXPECT_FALSE(project.IsModified());
    EXPECT_EQ(redrawn, 0);

    prompter.answers = {Answer::Yes};
    const int busyBefore = prompter.busyCount;
    EXPECT_TRUE(RunOrderByLinksCommand(project, prompter, redraw));
    EXPECT_EQ(Order().front(), "index.html");
    EXPECT_EQ(Order()[1], "guide/b.html");
    EXPECT_EQ(redrawn, 1);
    EXPECT_EQ(prompter.busyCount, busyBefore + 1);  // the wait cursor while it reads
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0],
              "6 pages put in the order of their links from index.html. 1 page that no link "
              "from it reaches comes last, by name.");

    Project empty;
    empty.files.emplace_back().path = dir.File("src/pic.png");
    EXPECT_FALSE(RunOrderByLinksCommand(empty, prompter, redraw));
    EXPECT_EQ(prompter.messages.back(), "There are no HTML files to put in order.");
    EXPECT_EQ(prompter.questions.size(), 2u);  // nothing asked
}

}  // namespace
}  // namespace nbx
