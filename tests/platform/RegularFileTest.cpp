#include "platform/RegularFile.h"

#include <sys/stat.h>

#include <cerrno>

#include <gtest/gtest.h>

#include "platform/FileHandle.h"
#include "support/TempDir.h"

namespace nbx::platform {
namespace {

// One rule for every file a user names: regular files are read (whole, a prefix, or refused
// when too long); a pipe, a device or a folder fails at once instead of blocking.
TEST(RegularFileTest, ReadsRegularFilesAndRefusesEverythingElse) {
    test::TempDir dir;
    dir.Write("page.htm", "0123456789");
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    struct Case {
        std::string path;
        std::uint64_t limit;
        Oversize oversize;
        bool ok;
        int error;
        std::string bytes;
    };
    const Case cases[] = {
        {dir.File("page.htm"), 100, Oversize::Refuse, true, 0, "0123456789"},
        {dir.File("page.htm"), 10, Oversize::Refuse, true, 0, "0123456789"},
        {dir.File("page.htm"), 4, Oversize::ReadPrefix, true, 0, "0123"},
        {dir.File("page.htm"), 9, Oversize::Refuse, false, EFBIG, ""},
        {dir.File("pipe"), 100, Oversize::ReadPrefix, false, EINVAL, ""},
        {"/dev/zero", 100, Oversize::ReadPrefix, false, EINVAL, ""},
        {dir.path(), 100, Oversize::ReadPrefix, false, EISDIR, ""},
        {dir.File("missing"), 100, Oversize::ReadPrefix, false, ENOENT, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " limit " + std::to_string(c.limit));
        std::string bytes = "stale bytes of a longer file read before";  // none of it kept
        int error = -1;
        EXPECT_EQ(ReadRegularFile(c.path, c.limit, c.oversize, bytes, error), c.ok);
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(bytes, c.bytes);
        FileHandle file;
        const bool regular = c.ok || c.error == EFBIG;
        EXPECT_EQ(file.Open(c.path, FileHandle::Mode::ReadRegular), regular);
    }
}

}  // namespace
}  // namespace nbx::platform
