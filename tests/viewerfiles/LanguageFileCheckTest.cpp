#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "support/TempDir.h"
#include "viewerfiles/LanguageFileCheck.h"
#include "viewerfiles/LanguageTestFiles.h"

namespace nbx {
namespace {

using test::LanguageBytes;

TEST(LanguageFileCheckTest, PassesOnlyWhenKeyOneIsExactly422) {
    test::TempDir dir;
    struct Case {
        const char* what;
        std::string bytes;
        bool passes;
    };
    const Case cases[] = {
        {"version 4.22", LanguageBytes({{2, 'R', "x"}, {1, 'F', "4.22"}}), true},
        {"flag does not matter", LanguageBytes({{1, 'R', "4.22"}}), true},
        {"count 0", LanguageBytes({}), false},
        {"no key 1", LanguageBytes({{2, 'F', "4.22"}}), false},
        {"older version", LanguageBytes({{1, 'F', "4.21"}}), false},
        {"trailing blank", LanguageBytes({{1, 'F', "4.22 "}}), false},
        {"stored unscrambled",
         LanguageBytes(
             {{1, 'F', std::string("4") + char('.' ^ 1) + char('2' ^ 2) + char('2' ^ 3)}}),
         false},
        {"cut short", LanguageBytes({{1, 'F', "4.22"}}).substr(0, 15), false},
        {"repeated key, later wins", LanguageBytes({{1, 'F', "4.22"}, {1, 'F', "4.0"}}), false},
    };
    int n = 0;
    for (const Case& c : cases) {
        LanguageFileChecker checker;
        const std::string path = dir.Write("c" + std::to_string(n++) + ".lng", c.bytes);
        EXPECT_EQ(checker.Check(path), c.passes) << c.what;
    }
    LanguageFileChecker checker;
    EXPECT_FALSE(checker.Check(dir.File("missing.lng")));
}

// Overwrites a file's bytes in place and puts its modification time back, so that only
// the contents differ from what the checker saw.
void RewriteKeepingIdentity(const std::string& path, const std::string& bytes) {
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    {
        std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

TEST(LanguageFileCheckTest, SamePathAndUnchangedFileIsAnsweredFromMemory) {
    test::TempDir dir;
    const std::string good = LanguageBytes({{1, 'F', "4.22"}});
    const std::string path = dir.Write("a.lng", good);
    LanguageFileChecker checker;
    EXPECT_TRUE(checker.Check(path));
    EXPECT_EQ(checker.filesRead(), 1);

    // Same size, same time: the remembered result stands without a read.
    std::string bad = good;
    bad[0] = 'x';
    RewriteKeepingIdentity(path, bad);
    EXPECT_TRUE(checker.Check(path));
    EXPECT_EQ(checker.filesRead(), 1);

    // Another path is read, and then becomes the one remembered.
    const std::string other = dir.Write("b.lng", LanguageBytes({}));
    EXPECT_FALSE(checker.Check(other));
    EXPECT_EQ(checker.filesRead(), 2);
    EXPECT_FALSE(checker.Check(other));
    EXPECT_EQ(checker.filesRead(), 2);
    EXPECT_FALSE(checker.Check(path));
    EXPECT_EQ(checker.filesRead(), 3);
}

TEST(LanguageFileCheckTest, ReplacedOrRepairedFileIsCheckedAgain) {
    test::TempDir dir;
    const std::string path = dir.File("a.lng");
    LanguageFileChecker checker;
    EXPECT_FALSE(checker.Check(path));  // missing

    dir.Write("a.lng", LanguageBytes({{1, 'F', "4.22"}}));
    EXPECT_TRUE(checker.Check(path));

    // Replaced by a rename, as the language editor saves.
    const std::string damaged =
        dir.Write("new.lng", LanguageBytes({{1, 'F', "4.22"}}).substr(0, 12));
    ASSERT_EQ(std::rename(damaged.c_str(), path.c_str()), 0);
    EXPECT_FALSE(checker.Check(path));
    EXPECT_EQ(checker.filesRead(), 3);
}

}  // namespace
}  // namespace nbx
