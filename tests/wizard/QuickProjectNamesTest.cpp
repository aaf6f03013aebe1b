#include "wizard/core/QuickProjectNames.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "wizard/core/QuickProject.h"

namespace nbx::wizard {
namespace {

TEST(QuickProjectNamesTest, MyBook2GivesItsFolderProjectFileAndEBook) {
    const ProjectPaths p = MakeProjectPaths("/work/books", "My Book 2", true);
    EXPECT_EQ(p.projectFolder, "/work/books/My Book 2");
    EXPECT_EQ(p.baseName, "mybook2");
    EXPECT_EQ(p.projectFileName, "mybook2.nxp");
    EXPECT_EQ(p.projectFile, "/work/books/My Book 2/mybook2.nxp");
    EXPECT_EQ(p.sourceFolder, "/work/books/My Book 2/source");
    EXPECT_EQ(p.includeFolder, "/work/books/My Book 2/include");
    EXPECT_EQ(p.outputFolder, "/work/books/My Book 2/output");
    // A program is named without an ending on this system, like every e-book the compiler
    // builds here.
    EXPECT_EQ(p.outputEBookName, "mybook2");
    EXPECT_EQ(p.outputEBook, "/work/books/My Book 2/output/mybook2");
    EXPECT_EQ(p.splashFolder, "/work/books/My Book 2/splash");
    EXPECT_EQ(p.instructionsPage, "/work/books/My Book 2/readme.htm");

    EXPECT_EQ(MakeProjectPaths("/work/books/", "X", false).includeFolder, "");
    EXPECT_EQ(MakeProjectPaths("/", "Top_Book", false).projectFile, "/Top_Book/top_book.nxp");
    EXPECT_EQ(ProjectBaseName(" Big  BOOK\t1 "), "bigbook1");
    // "." and ".." are resolved in the text.
    EXPECT_EQ(MakeProjectPaths("/work/a/../books/.", "X", false).projectFolder, "/work/books/X");
    EXPECT_EQ(MakeProjectPaths("/..", "X", false).projectFolder, "/X");
}

TEST(QuickProjectNamesTest, NameCharacters) {
    const std::pair<const char*, bool> cases[] = {
        {"My Book 2", true},  {"under_score", true},  {"   ", true},
        {"my-book", false},   {"my.book", false},     {"", false},
        {"tab\there", false}, {"caf\xC3\xA9", false}, {"a/b", false},
    };
    for (const auto& [name, valid] : cases) {
        EXPECT_EQ(IsValidProjectName(name), valid) << name;
    }
}

TEST(QuickProjectNamesTest, OkNeedsATypeAndANameAndFolderThatAreNotBlank) {
    EXPECT_TRUE(CanPressOk("Book", "/w", true));
    EXPECT_FALSE(CanPressOk("Book", "/w", false));
    EXPECT_FALSE(CanPressOk("   ", "/w", true));  // passes the character check, but OK stays off
    EXPECT_FALSE(CanPressOk("Book", "  ", true));
    EXPECT_TRUE(CanPressOk(" Book ", " /w", true));
}

TEST(QuickProjectNamesTest, TheFirstFailingCheckGivesItsMessageAndField) {
    test::TempDir dir;
    dir.Write("Taken/x", "");
    const std::string kName =
        "Project Name must contain letters, digits, underscores and spaces only.";
    const std::string kOneLine =
        "The Folder must be on one line: it can't hold a line break or a NUL character.";
    const std::string kTooLong =
        "The Folder is too long: it can be at most 255 bytes, and a letter outside A to Z takes "
        "2 to 4 of them.";
    // 30 characters, 60 bytes
    const std::string kAccents =
        "\xc3\xa9\xc3\xa8\xc3\xaa\xc3\xab\xc3\xa0\xc3\xa2"
        "\xc3\xa9\xc3\xa8\xc3\xaa\xc3\xab\xc3\xa0\xc3\xa2"
        "\xc3\xa9\xc3\xa8\xc3\xaa\xc3\xab\xc3\xa0\xc3\xa2"
        "\xc3\xa9\xc3\xa8\xc3\xaa\xc3\xab\xc3\xa0\xc3\xa2"
        "\xc3\xa9\xc3\xa8\xc3\xaa\xc3\xab\xc3\xa0\xc3\xa2";
    struct Case {
        std::string name, folder;
        std::string message;  // empty: accepted
        QuickProjectField field;
    };
    const Case cases[] = {
        {"my-book", dir.path(), kName, QuickProjectField::Name},
        {"my.book", "//server/share", kName, QuickProjectField::Name},  // the name comes first
        {"Book", "//server/share", "Invalid Folder Name.", QuickProjectField::Folder},
        {"Book", "C:", "Invalid Folder Name.", QuickProjectField::Folder},
        {"Book", "books/mine", "Invalid Folder Name.", QuickProjectField::Folder},
        {"Book", "C:\\books", "Invalid Folder Name.", QuickProjectField::Folder},
        // Remembered in the settings file: one line, of at most 255 bytes.
        {"Book", dir.path() + "\n[EXTENSION1]\nLOAD=/tmp/x.so", kOneLine,
         QuickProjectField::Folder},
        {"Book", dir.path() + "\rx", kOneLine, QuickProjectField::Folder},
        {"Book", dir.path() + std::string("\0x", 2), kOneLine, QuickProjectField::Folder},
        {"Book", "/" + std::string(255, 'a'), kTooLong, QuickProjectField::Folder},
        {"Book", "/" + std::string(200, 'a') + "/" + kAccents, kTooLong, QuickProjectField::Folder},
        {"Book", "/" + std::string(254, 'a'), "", QuickProjectField::Name},
        {"Taken", dir.path(),
         "Sorry you already have a folder called " + dir.File("Taken") +
             "\n\nPlease either use a different project name or select a different folder.",
         QuickProjectField::Name},
        {"Taken", dir.path() + "/",
         "Sorry you already have a folder called " + dir.File("Taken") +
             "\n\nPlease either use a different project name or select a different folder.",
         QuickProjectField::Name},
        {"Book", dir.path(), "", QuickProjectField::Name},
        {"Book", "/", "", QuickProjectField::Name},
    };
    for (const Case& c : cases) {
        const auto failure = CheckQuickProject({c.name, c.folder, 0});
        if (c.message.empty()) {
            EXPECT_FALSE(failure) << c.name << " in " << c.folder << ": " << failure->message;
        } else {
            ASSERT_TRUE(failure) << c.name << " in " << c.folder;
            EXPECT_EQ(failure->message, c.message);
            EXPECT_EQ(failure->field, c.field) << c.name << " in " << c.folder;
        }
    }
    // The root is taken unchanged, a folder without a final separator gets one.
    EXPECT_EQ(WorkingFolderWithSeparator("/"), "/");
    EXPECT_EQ(WorkingFolderWithSeparator("/home/me"), "/home/me/");
    EXPECT_EQ(WorkingFolderWithSeparator("/home/me/"), "/home/me/");
    EXPECT_EQ(BrowseStartFolder("/home/me/"), "/home/me");
    EXPECT_EQ(BrowseStartFolder("/home/me//"), "/home/me/");
    EXPECT_EQ(BrowseStartFolder("/"), "/");
}

}  // namespace
}  // namespace nbx::wizard
