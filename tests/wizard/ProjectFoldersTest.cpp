#include "wizard/core/ProjectFolders.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/Paths.h"
#include "support/TempDir.h"
#include "wizard/core/ProjectType.h"

namespace nbx::wizard {
namespace {

using platform::FileExists;
using platform::FolderExists;

TEST(ProjectFoldersTest, CreateFolderPathMakesEveryMissingLevel) {
    test::TempDir dir;
    EXPECT_TRUE(CreateFolderPath(""));
    EXPECT_TRUE(CreateFolderPath("/"));
    EXPECT_TRUE(CreateFolderPath(dir.path()));
    EXPECT_TRUE(CreateFolderPath(dir.File("a/b/c")));
    EXPECT_TRUE(FolderExists(dir.File("a/b/c")));
    // A file in the way of a level fails the path.
    dir.Write("file", "x");
    EXPECT_FALSE(CreateFolderPath(dir.File("file/sub")));
    EXPECT_FALSE(CreateFolderPath(dir.File("file")));
}

TEST(ProjectFoldersTest, TheCreationTestLeavesOnlyTheFoldersAboveTheProject) {
    test::TempDir dir;
    const std::string p = dir.File("new/deeper/My Book");
    EXPECT_TRUE(TestFolderCreation(p));
    EXPECT_FALSE(FolderExists(p));
    EXPECT_TRUE(FolderExists(dir.File("new/deeper")));
    dir.Write("blocked", "a file where a folder should go");
    EXPECT_FALSE(TestFolderCreation(dir.File("blocked/My Book")));
}

TEST(ProjectFoldersTest, FoldersPerType) {
    for (const ProjectType& type : ProjectTypes()) {
        test::TempDir dir;
        const ProjectPaths paths = MakeProjectPaths(dir.path(), "My Book", type.usesIncludeFolder);
        ASSERT_TRUE(CreateFolders(paths)) << type.name;
        std::vector<std::string> made;
        for (const auto& entry : std::filesystem::directory_iterator(paths.projectFolder)) {
            made.push_back(entry.path().filename().string());
        }
        std::sort(made.begin(), made.end());
        const std::vector<std::string> expected =
            type.usesIncludeFolder ? std::vector<std::string>{"include", "output", "source"}
                                   : std::vector<std::string>{"output", "source"};
        EXPECT_EQ(made, expected) << type.name;
    }
    test::TempDir dir;
    dir.Write("My Book/source", "a file where the source folder should go");
    EXPECT_FALSE(CreateFolders(MakeProjectPaths(dir.path(), "My Book", false)));
}

class SplashTest : public ::testing::Test {
protected:
    SplashTest() {
        dir.Write("program/splash16.bmp", "BM standard");
        dir.Write("program/splash16.dat", "BM colour");
        dir.Write("program/splash2.dat", "BM black and white");
        paths = MakeProjectPaths(dir.File("work"), "Book", false);
        CreateFolders(paths);
    }
    test::TempDir dir;
    ProjectPaths paths;
};

TEST_F(SplashTest, EachChoiceGivesItsPictureAndFolder) {
    struct Case {
        int choice;
        std::string bitmap;
        std::string copied;  // the template's bytes in mysplash.bmp; empty: no splash folder
    };
    const std::string own = paths.splashFolder + "/mysplash.bmp";
    const Case cases[] = {
        {kSplashStandard, dir.File("program/splash16.bmp"), ""},
        {kSplashNone, "", ""},
        {kSplashOwnColour, own, "BM colour"},
        {kSplashOwnBlackAndWhite, own, "BM black and white"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(paths.splashFolder);
        const SplashOutcome out = PrepareSplash(c.choice, dir.File("program"), paths);
        EXPECT_TRUE(out.ok) << c.choice << ": " << out.message;
        EXPECT_EQ(out.bitmapPath, c.bitmap) << c.choice;
        EXPECT_EQ(FolderExists(paths.splashFolder), !c.copied.empty()) << c.choice;
        if (!c.copied.empty()) {
            EXPECT_EQ(test::ReadWholeFile(own), c.copied);
        }
    }
}

TEST_F(SplashTest, FailuresAreNamedAndAPictureIsNeverOverwritten) {
    const std::string own = paths.splashFolder + "/mysplash.bmp";
    dir.Write("work/Book/splash/mysplash.bmp", "the author's own picture");
    SplashOutcome out = PrepareSplash(kSplashOwnColour, dir.File("program"), paths);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, "Splash File could not be copied.");
    EXPECT_EQ(test::ReadWholeFile(own), "the author's own picture");

    std::filesystem::remove_all(paths.splashFolder);
    out = PrepareSplash(kSplashOwnColour, dir.File("no-program"), paths);
    EXPECT_EQ(out.message, "Splash File could not be copied.");

    // A template that cannot be read to its end: the copy fails and leaves no file behind,
    // neither the picture nor a working file.
    std::filesystem::remove_all(paths.splashFolder);
    std::filesystem::remove(dir.File("program/splash16.dat"));
    std::filesystem::create_symlink("/proc/self/mem", dir.File("program/splash16.dat"));
    out = PrepareSplash(kSplashOwnColour, dir.File("program"), paths);
    EXPECT_EQ(out.message, "Splash File could not be copied.");
    EXPECT_TRUE(std::filesystem::is_empty(paths.splashFolder));

    std::filesystem::remove_all(paths.splashFolder);
    dir.Write("work/Book/splash", "a file where the splash folder should go");
    out = PrepareSplash(kSplashOwnBlackAndWhite, dir.File("program"), paths);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, "Splash Directory could not be created.");
}

}  // namespace
}  // namespace nbx::wizard
