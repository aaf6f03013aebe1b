#include "platform/Paths.h"

#include <gtest/gtest.h>

#include "common/ProgramFolderPath.h"
#include "platform/ExecutablePath.h"
#include "support/TempDir.h"

namespace nbx::platform {
namespace {

TEST(PathsTest, SplitsAtTheLastSeparator) {
    struct Case {
        const char* path;
        const char* display;
        const char* fileName;
        const char* folder;
    };
    const Case cases[] = {
        {"/books/src/index.html", "index.html", "index.html", "/books/src/"},
        {"index.html", "ERROR", "index.html", ""},
        {"/books/src/", "", "", "/books/src/"},
        {"", "ERROR", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DisplayName(c.path), c.display) << c.path;
        EXPECT_EQ(FileNameOfPath(c.path), c.fileName) << c.path;
        EXPECT_EQ(FolderPartOfPath(c.path), c.folder) << c.path;
    }
    EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
    EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
}

TEST(PathsTest, ProgramFolderPathFollowsTheProgram) {
    OverrideExecutablePath("/opt/nimbrel/tamsel");
    EXPECT_EQ(ProgramFolderPath("icons\\Books\\idr_main.ico"),
              "/opt/nimbrel/icons/Books/idr_main.ico");
    OverrideExecutablePath("tamsel");
    EXPECT_EQ(ProgramFolderPath("eview.dat"), "");
    OverrideExecutablePath("");
    EXPECT_FALSE(ProgramFolderPath("eview.dat").empty());
}

// The names an e-book's entries or a Rebrander's record may give: only one that stays inside
// the folder it is joined to passes.
TEST(PathsTest, PlainFileNamesStayInTheirFolder) {
    for (const std::string_view name : {"../book", "x/book", "..\\book", ".", "..", ""}) {
        EXPECT_FALSE(IsPlainFileName(name)) << name;
    }
    EXPECT_FALSE(IsPlainFileName(std::string_view("bo\0ok", 5)));
    EXPECT_TRUE(IsPlainFileName("..book"));
    EXPECT_TRUE(IsPlainFileName("My Book.exe"));
}

}  // namespace
}  // namespace nbx::platform

namespace nbx::platform {
namespace {

TEST(PathsTest, PlainRelativePathsStayInsideTheirFolder) {
    for (const char* good : {"a.html", "library/index.html", "a/b/c/d.png", "..x/y", "a/.b"}) {
        EXPECT_TRUE(IsPlainRelativePath(good)) << good;
    }
    for (const char* bad : {"", "/abs.html", "a//b", "a/", "./a", "a/./b", "a/../b", "../a", "..",
                            "a\\b", "a/b\\c"}) {
        EXPECT_FALSE(IsPlainRelativePath(bad)) << bad;
    }
    EXPECT_FALSE(IsPlainRelativePath(std::string_view("a/b\0c", 5)));
}

}  // namespace
}  // namespace nbx::platform
