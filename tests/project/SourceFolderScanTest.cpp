#include "project/SourceFolderScan.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "support/RecordingPrompter.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

class SourceFolderScanTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Write("src/a.htm", "<html><title>Page A</title></html>");
        dir.Write("src/b.html", "<HTML><TITLE>\n  Page B\n</TITLE>");
        dir.Write("src/pic.gif", "GIF89a");
        dir.Write("src/sub/inner.htm", "<title>Inner</title>");
        project.sourceFolder = dir.File("src");
    }

    SourceFile* Find(const std::string& name) {
        const auto it =
            std::find_if(project.files.begin(), project.files.end(),
                         [&](const SourceFile& f) { return f.path == dir.File("src/" + name); });
        return it == project.files.end() ? nullptr : &*it;
    }

    test::TempDir dir;
    Project project;
    test::RecordingPrompter prompter;
};

TEST_F(SourceFolderScanTest, OneEntryPerFileWithTitlesFromThePages) {
    RescanSourceFolder(project, true, prompter);
    ASSERT_EQ(project.files.size(), 3u);  // the sub-folder is neither listed nor entered
    const SourceFile* a = Find("a.htm");
    const SourceFile* b = Find("b.html");
    const SourceFile* pic = Find("pic.gif");
    ASSERT_TRUE(a && b && pic);
    EXPECT_EQ(a->title, "Page A");
    EXPECT_EQ(b->title, "Page B");
    EXPECT_EQ(a->searchable + a->inContents + b->searchable + b->inContents, 4);
    EXPECT_EQ(pic->searchable + pic->inContents + pic->excluded + pic->preprocess, 0);
    EXPECT_EQ(pic->title, "");
    EXPECT_TRUE(project.IsModified());
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_GT(prompter.busyCount, 0);
    EXPECT_EQ(prompter.busyDepth, 0);
}

TEST_F(SourceFolderScanTest, RescanKeepsTheAuthorsSettings) {
    RescanSourceFolder(project, true, prompter);
    project.SortFiles();
    SourceFile* b = Find("b.html");
    b->description = "Written by the author";
    b->searchable = 0;
    b->preprocess = 1;

    // On disk: B's title changes, a new page comes, the picture goes.
    dir.Write("src/b.html", "<title>Renamed on disk</title>");
    dir.Write("src/c.htm", "<title>Another page</title>");
    std::filesystem::remove(dir.File("src/pic.gif"));
    RescanSourceFolder(project, true, prompter);
    project.SortFiles();

    ASSERT_EQ(project.files.size(), 3u);
    EXPECT_EQ(project.files[0].path, dir.File("src/a.htm"));
    EXPECT_EQ(project.files[1].path, dir.File("src/b.html"));
    EXPECT_EQ(project.files[2].path, dir.File("src/c.htm"));  // new pages follow known ones
    EXPECT_EQ(project.files[1].title, "Page B");
    EXPECT_EQ(project.files[1].description, "Written by the author");
    EXPECT_EQ(project.files[1].searchable, 0);
    EXPECT_EQ(project.files[1].preprocess, 1);
    EXPECT_EQ(project.files[2].title, "Another page");
}

TEST_F(SourceFolderScanTest, OutputProgramsInTheFolderAreExcludedOnce) {
    dir.Write("src/book", "program bytes");
    dir.Write("src/rebrand", "program bytes");
    project.outputExe = dir.File("SRC/BOOK");  // compared without regard to case
    project.rebranderExe = dir.File("src/rebrand");
    RescanSourceFolder(project, false, prompter);
    EXPECT_EQ(Find("book")->excluded, 1);
    EXPECT_EQ(Find("rebrand")->excluded, 1);
    std::vector<std::string> expected = {
        "book has been Excluded from the E-Book, as this is the Output E-Book EXE file.",
        "rebrand has been Excluded from the E-Book, as this is the Output Rebrander EXE file."};
    std::vector<std::string> shown = prompter.messages;
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(prompter.icons[0], MessageIcon::Information);

    prompter.messages.clear();
    RescanSourceFolder(project, true, prompter);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(Find("book")->excluded, 1);
}

TEST_F(SourceFolderScanTest, EmptyOrMissingFolders) {
    const struct {
        const char* folder;
        bool showMessage;
        std::size_t messages;
    } cases[] = {
        {"empty", true, 1},
        {"empty", false, 0},
        {"missing", true, 1},
    };
    std::filesystem::create_directory(dir.File("empty"));
    for (const auto& c : cases) {
        prompter.messages.clear();
        project.files = {SourceFile{}};
        project.SetModified(false);
        project.sourceFolder = dir.File(c.folder);
        RescanSourceFolder(project, c.showMessage, prompter);
        EXPECT_TRUE(project.files.empty()) << c.folder;
        EXPECT_TRUE(project.IsModified()) << c.folder;
        ASSERT_EQ(prompter.messages.size(), c.messages) << c.folder;
        if (c.messages) {
            EXPECT_EQ(prompter.messages[0],
                      "You selected an empty folder - there are no files in your E-Book!");
        }
    }
    // No folder at all: nothing happens.
    project.sourceFolder.clear();
    project.files = {SourceFile{}};
    project.SetModified(false);
    RescanSourceFolder(project, true, prompter);
    EXPECT_EQ(project.files.size(), 1u);
    EXPECT_FALSE(project.IsModified());
}

TEST_F(SourceFolderScanTest, LinksCountAsWhatTheyPointToAndPipesAreSkipped) {
    ASSERT_EQ(::symlink(dir.File("src/a.htm").c_str(), dir.File("src/link.htm").c_str()), 0);
    ASSERT_EQ(::symlink(dir.File("src/sub").c_str(), dir.File("src/linkdir").c_str()), 0);
    ASSERT_EQ(::symlink(dir.File("nowhere").c_str(), dir.File("src/dangling.htm").c_str()), 0);
    ASSERT_EQ(::mkfifo(dir.File("src/pipe.htm").c_str(), 0600), 0);
    RescanSourceFolder(project, true, prompter);
    EXPECT_EQ(project.files.size(), 4u);
    ASSERT_NE(Find("link.htm"), nullptr);
    EXPECT_EQ(Find("link.htm")->title, "Page A");
}

TEST_F(SourceFolderScanTest, ScanChosenFolderSetsTheFolder) {
    project.sourceFolder.clear();
    ScanChosenFolder(project, dir.File("src"), prompter);
    EXPECT_EQ(project.sourceFolder, dir.File("src"));
    EXPECT_EQ(project.files.size(), 3u);
}

}  // namespace
}  // namespace nbx
