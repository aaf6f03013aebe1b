#include "wizard/core/ImportProjectFile.h"

#include <gtest/gtest.h>

#include "project/CTamselDoc.h"
#include "support/RecordingPrompter.h"
#include "support/TempDir.h"

namespace nbx::wizard {
namespace {

ImportProject Sample(const std::string& folder) {
    ImportProject p;
    p.book.title = "My Book 2";
    p.book.publisher = "Press";
    p.book.copyright = "(C) 2026";
    p.book.author = "Ann";
    p.book.authorEmail = "a@x.example";
    p.book.authorUrl = "http://x.example/";
    p.sourceFolder = folder + "/source";
    p.outputEBook = folder + "/output/mybook2";
    p.menu = 0;
    p.popupMenu = 1;
    p.statusBar = 0;
    p.toolbar = 1;
    p.toolbarPosition = 3;
    p.splashBitmap = folder + "/splash/mysplash.bmp";
    return p;
}

TEST(ImportProjectFileTest, ExactBytes) {
    const std::string bytes = EncodeImportProject(Sample("/b"));
    const std::string expected = std::string(
        "\x08IDT-4.00"
        "\x00"
        "\x09My Book 2"
        "\x05Press"
        "\x08(C) 2026"
        "\x03"
        "Ann"
        "\x0B"
        "a@x.example"
        "\x11http://x.example/"
        "\x09/b/source"
        "\x11/b/output/mybook2"
        "\x00\x00\x00\x00"
        "\x01\x00\x00\x00"
        "\x00\x00\x00\x00"
        "\x01\x00\x00\x00"
        "\x03\x00\x00\x00"
        "\x16/b/splash/mysplash.bmp",
        1 + 8 + 1 + 10 + 6 + 9 + 4 + 12 + 18 + 10 + 18 + 20 + 23);
    EXPECT_EQ(bytes, expected);

    // A long text takes the three-byte length form.
    ImportProject longTitle;
    longTitle.book.title = std::string(300, 't');
    const std::string encoded = EncodeImportProject(longTitle);
    EXPECT_EQ(encoded.substr(10, 3), std::string("\xFF\x2C\x01", 3));
}

TEST(ImportProjectFileTest, TheCompilerLoadsTheIntendedValuesAndScansTheSourceFolder) {
    test::TempDir dir;
    const std::string folder = dir.File("My Book 2");
    dir.Write("My Book 2/source/index.htm", "<title>Start</title><p>Hello</p>");
    dir.Write("My Book 2/source/two.htm", "<title>Two</title>");
    dir.Write("My Book 2/source/pic.gif", "GIF89a");
    const std::string file = folder + "/mybook2.nxp";
    ASSERT_TRUE(WriteImportProject(file, Sample(folder)));

    CTamselDoc doc;
    test::RecordingPrompter prompter;
    ASSERT_TRUE(doc.OnOpenDocument(file, prompter));
    const Project& p = doc.project();
    EXPECT_EQ(p.title, "My Book 2");
    EXPECT_EQ(p.publisher, "Press");
    EXPECT_EQ(p.copyright, "(C) 2026");
    EXPECT_EQ(p.author, "Ann");
    EXPECT_EQ(p.authorEmail, "a@x.example");
    EXPECT_EQ(p.authorUrl, "http://x.example/");
    EXPECT_EQ(p.sourceFolder, folder + "/source");
    EXPECT_EQ(p.outputExe, folder + "/output/mybook2");
    EXPECT_EQ(p.menuShown, 0);
    EXPECT_EQ(p.popupMenu, 1);
    EXPECT_EQ(p.statusBarInitially, 0);
    EXPECT_EQ(p.statusBarToggle, 0);
    EXPECT_EQ(p.toolbarInitially, 1);
    EXPECT_EQ(p.toolbarToggle, 1);
    EXPECT_EQ(p.toolbarPosition, 3);
    EXPECT_EQ(p.splashBitmap, folder + "/splash/mysplash.bmp");
    EXPECT_EQ(p.language, Project().language);  // the rest keeps a new project's values
    ASSERT_EQ(p.files.size(), 3u);
    std::vector<std::string> names;
    for (const SourceFile& f : p.files) {
        names.push_back(f.path.substr(f.path.rfind('/') + 1));
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"index.htm", "pic.gif", "two.htm"}));
    EXPECT_TRUE(prompter.messages.empty());
}

// The optional last word: only a project that takes in sub-folders carries it, and the
// compiler's scan then takes the whole tree.
TEST(ImportProjectFileTest, SubFoldersAreAnOptionalLastWord) {
    test::TempDir dir;
    const std::string folder = dir.File("Tree");
    dir.Write("Tree/source/index.htm", "<title>Start</title>");
    dir.Write("Tree/source/images/leaf.gif", "GIF89a");
    ImportProject project = Sample(folder);
    const std::string without = EncodeImportProject(project);
    project.includeSubFolders = 1;
    const std::string with = EncodeImportProject(project);
    EXPECT_EQ(with, without + std::string("\x01\0\0\0", 4));
    for (const bool subFolders : {false, true}) {
        project.includeSubFolders = subFolders ? 1 : 0;
        const std::string file = folder + "/tree.nxp";
        ASSERT_TRUE(WriteImportProject(file, project));
        CTamselDoc doc;
        test::RecordingPrompter prompter;
        ASSERT_TRUE(doc.OnOpenDocument(file, prompter));
        EXPECT_EQ(doc.project().includeSubFolders, subFolders ? 1 : 0);
        EXPECT_EQ(doc.project().files.size(), subFolders ? 2u : 1u);
    }
}

TEST(ImportProjectFileTest, AFolderThatCannotBeWrittenFails) {
    test::TempDir dir;
    EXPECT_FALSE(WriteImportProject(dir.File("missing/book.nxp"), Sample("/b")));
}

}  // namespace
}  // namespace nbx::wizard
