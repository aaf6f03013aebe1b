#include "project/SourceFolderScan.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "project/EntryName.h"
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
    // The page in the sub-folder is not lost without a word.
    EXPECT_EQ(prompter.messages,
              std::vector<std::string>{
                  "1 file in sub-folders of the source folder was left out of the E-Book. To "
                  "take them in, turn on \"Include sub-folders\" for this project and scan the "
                  "folder again."});
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
    EXPECT_EQ(prompter.messages, std::vector<std::string>{LeftOutMessage(1)});
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

// A documentation tree: nested folders, two pages of one name, hidden files and folders, a
// link to a page and a link that would loop back up the tree.
class SubFolderScanTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Write("src/index.html", "<title>Home</title>");
        dir.Write("src/.hidden.html", "<title>Hidden</title>");
        dir.Write("src/.git/config", "x");
        dir.Write("src/library/index.html", "<title>Library</title>");
        dir.Write("src/library/os.html", "<title>os</title>");
        dir.Write("src/library/.cache/old.html", "<title>Old</title>");
        dir.Write("src/howto/index.html", "<title>How to</title>");
        dir.Write("src/_images/x.png", "PNG");
        dir.Write("src/_static/css/basic.css", "p {}");
        EXPECT_EQ(::symlink("..", dir.File("src/library/loop").c_str()), 0);
        EXPECT_EQ(::symlink("../index.html", dir.File("src/library/link.html").c_str()), 0);
        project.sourceFolder = dir.File("src");
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const SourceFile& f : project.files) {
            names.push_back(EntryNameOf(project, f));
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    test::TempDir dir;
    Project project;
    test::RecordingPrompter prompter;
};

TEST_F(SubFolderScanTest, WalksTheTreeAndNamesFilesByTheirPathBelowTheFolder) {
    project.includeSubFolders = 1;
    RescanSourceFolder(project, true, prompter);
    EXPECT_EQ(Names(),
              (std::vector<std::string>{"_images/x.png", "_static/css/basic.css",
                                        "howto/index.html", "index.html", "library/index.html",
                                        "library/link.html", "library/os.html"}));
    EXPECT_TRUE(prompter.messages.empty());
    for (const SourceFile& f : project.files) {
        EXPECT_EQ(f.path, dir.File("src/" + EntryNameOf(project, f)));
    }
    const long library = FindFileByEntryName(project, "library/index.html");
    ASSERT_GE(library, 0);
    EXPECT_EQ(project.files[library].title, "Library");
    EXPECT_EQ(project.files[FindFileByEntryName(project, "library/link.html")].title, "Home");

    // A rescan keeps what was set on each file by its whole name, not its file name.
    project.files[library].description = "Set by the author";
    RescanSourceFolder(project, true, prompter);
    EXPECT_EQ(project.files[FindFileByEntryName(project, "library/index.html")].description,
              "Set by the author");
    EXPECT_EQ(project.files[FindFileByEntryName(project, "howto/index.html")].description, "");
    EXPECT_EQ(project.files[FindFileByEntryName(project, "index.html")].description, "");

    // The file list sorts them as it sorts top-level files: by title, then by path.
    project.SortFiles();
    ASSERT_EQ(project.files.size(), 7u);
    EXPECT_EQ(EntryNameOf(project, project.files[0]), "index.html");
    EXPECT_EQ(EntryNameOf(project, project.files[1]), "library/link.html");
    EXPECT_EQ(EntryNameOf(project, project.files[2]), "howto/index.html");
    EXPECT_EQ(project.files[2].orderKey, "00001002");
}

TEST_F(SubFolderScanTest, WithoutTheOptionTheTopFolderAloneAndACountOfTheRest) {
    RescanSourceFolder(project, true, prompter);
    // Top-level files as before, hidden ones included; the six files below are counted,
    // those in hidden folders and behind the folder link are not.
    EXPECT_EQ(Names(), (std::vector<std::string>{".hidden.html", "index.html"}));
    EXPECT_EQ(prompter.messages,
              std::vector<std::string>{
                  "6 files in sub-folders of the source folder were left out of the E-Book. To "
                  "take them in, turn on \"Include sub-folders\" for this project and scan the "
                  "folder again."});
    prompter.messages.clear();
    RescanSourceFolder(project, false, prompter);
    EXPECT_TRUE(prompter.messages.empty());
}

}  // namespace
}  // namespace nbx
