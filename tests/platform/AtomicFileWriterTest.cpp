#include "platform/AtomicFileWriter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/FileHandle.h"
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
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path()))
        ++count;
    EXPECT_EQ(count, 1u);
}

// A target reached through a symbolic link: the file it leads to gets the bytes and the link
// stays a link (a plain rename would put a regular file in its place).
TEST(AtomicFileWriterTest, WritesThroughASymbolicLink) {
    test::TempDir dir;
    ASSERT_EQ(::mkdir(dir.File("shelf").c_str(), 0755), 0);
    const std::string real = dir.Write("shelf/book", "old");
    const std::string link = dir.File("book");
    ASSERT_EQ(::symlink("shelf/book", link.c_str()), 0);
    int error = 0;
    ASSERT_TRUE(WriteFileAtomically(link, "new", error)) << error;
    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(test::ReadWholeFile(real), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("shelf")), {}), 1);
}

TEST(AtomicFileWriterTest, CopyFromKeepsItsPlaceAmongWrites) {
    test::TempDir dir;
    std::string big(3 << 20, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<char>(i * 7 + i / 4096);
    }
    FileHandle source;
    ASSERT_TRUE(source.Open(dir.Write("source", big), FileHandle::Mode::Read));
    const std::string target = dir.Write("target", "old");
    {
        AtomicFileWriter w(target);
        ASSERT_TRUE(w.Open());
        ASSERT_TRUE(w.Write("<"));
        ASSERT_TRUE(w.CopyFrom(source, 5, big.size() - 10));
        ASSERT_TRUE(w.Write(">"));
        ASSERT_TRUE(w.Commit());
    }
    EXPECT_TRUE(test::ReadWholeFile(target) == "<" + big.substr(5, big.size() - 10) + ">");

    // A source that ends first fails, and the target stays as it was.
    AtomicFileWriter w(target);
    ASSERT_TRUE(w.Open());
    EXPECT_FALSE(w.CopyFrom(source, big.size() - 4, 5));
    EXPECT_EQ(w.error(), EIO);
    EXPECT_FALSE(w.Commit());
    EXPECT_EQ(test::ReadWholeFile(target).size(), big.size() - 8);
}

TEST(AtomicFileWriterTest, CopyFromWhatTheSystemCannotCopyGoesThroughMemory) {
    test::TempDir dir;
    FileHandle zeros;  // not a regular file, so the system copy refuses it
    ASSERT_TRUE(zeros.Open("/dev/zero", FileHandle::Mode::Read));
    const std::string target = dir.File("target");
    AtomicFileWriter w(target);
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.Write("z"));
    ASSERT_TRUE(w.CopyFrom(zeros, 0, (2 << 20) + 3));
    ASSERT_TRUE(w.Commit());
    EXPECT_TRUE(test::ReadWholeFile(target) == "z" + std::string((2 << 20) + 3, '\0'));
}

// Only regular files are replaced: a folder, a pipe or a device in the target's place stays.
TEST(AtomicFileWriterTest, RefusesToReplaceWhatIsNoRegularFile) {
    test::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    ASSERT_EQ(::mkdir(dir.File("folder").c_str(), 0755), 0);
    const struct {
        std::string path;
        int error;
    } cases[] = {{dir.File("pipe"), EINVAL}, {dir.File("folder"), EISDIR}};
    for (const auto& c : cases) {
        AtomicFileWriter w(c.path);
        EXPECT_FALSE(w.Open()) << c.path;
        EXPECT_EQ(w.error(), c.error) << c.path;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(dir.File("pipe")));
}

}  // namespace
}  // namespace nbx::platform
