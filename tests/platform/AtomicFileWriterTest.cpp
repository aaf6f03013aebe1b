#include "platform/AtomicFileWriter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/Paths.h"
#include "platform/TempFiles.h"
#include "support/TempDir.h"

namespace nbx::platform {
namespace {

TEST(TempFilesTest, NamesAreUniqueAndCreatedExclusively) {
    test::TempDir dir;
    int error = 0;
    const std::string a = CreateUniqueFile(dir.path(), "vmt", error);
    const std::string b = CreateUniqueFile(dir.path(), "vmt", error);
    ASSERT_FALSE(a.empty());
    EXPECT_NE(a, b);
    EXPECT_TRUE(FileExists(a));
    EXPECT_EQ(FileNameOfPath(a).rfind("vmt" + std::to_string(getpid()), 0), 0u);
    EXPECT_TRUE(CreateUniqueFile(dir.File("missing"), "vmt", error).empty());
    EXPECT_EQ(error, ENOENT);
}

TEST(AtomicFileWriterTest, ReplacesOnlyOnCommitAndKeepsMode) {
    test::TempDir dir;
    const std::string target = dir.Write("book", "old");
    ::chmod(target.c_str(), 0755);
    {
        AtomicFileWriter w(target);
        ASSERT_TRUE(w.Open());
        ASSERT_TRUE(w.Write("half"));
        // Dropped without Commit: the old file stays and no temporary file is left behind.
    }
    EXPECT_EQ(test::ReadWholeFile(target), "old");
    int error = 0;
    ASSERT_TRUE(WriteFileAtomically(target, "new", error));
    EXPECT_EQ(test::ReadWholeFile(target), "new");
    struct stat st {};
    ::stat(target.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0755u);
    EXPECT_FALSE(WriteFileAtomically(dir.File("no/such/folder/x"), "x", error));
    EXPECT_NE(error, 0);
    size_t count = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path())) ++count;
    EXPECT_EQ(count, 1u);
}

}  // namespace
}  // namespace nbx::platform
