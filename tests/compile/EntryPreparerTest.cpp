// The packing workers give AppendEntry's bytes, directory and results for every kind of path
// in the list, including those they cannot read ahead, which are left to AppendEntry.

#include "compile/EntryPreparer.h"

#include <sys/stat.h>

#include <random>

#include <gtest/gtest.h>

#include "format/EntryWriter.h"
#include "support/RandomBytes.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

struct Appended {
    std::string content;
    std::vector<DirectoryEntry> directory;
    std::vector<bool> results;
};

Appended AppendAll(const test::TempDir& dir, const std::vector<std::string>& paths,
                   unsigned workers) {
    Appended out;
    const std::string contentPath = dir.File("content" + std::to_string(workers));
    {
        platform::FileHandle content;
        EXPECT_TRUE(content.Open(contentPath, platform::FileHandle::Mode::CreateTruncate));
        EntryPreparer preparer(paths, workers);
        for (std::size_t i = 0; i < paths.size(); ++i) {
            DirectoryEntry entry;
            entry.name = "e" + std::to_string(i);
            out.results.push_back(preparer.Append(i, content, entry, out.directory));
        }
    }
    out.content = test::ReadWholeFile(contentPath);
    return out;
}

TEST(EntryPreparerTest, WorkersWriteWhatOneCoreWrites) {
    test::TempDir dir;
    const std::string noise = test::RandomBytes(3 * EntryPreparer::kPieceSize + 10, 7);
    std::mt19937 rng(8);
    std::string text;
    while (text.size() < 2 * EntryPreparer::kPieceSize + 99) {
        text += "<p>chapter " + std::to_string(rng() % 500) + " of the book</p>\n";
    }
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    ::mkdir(dir.File("folder").c_str(), 0755);
    const std::vector<std::string> paths = {
        dir.Write("page.htm", "<html>a page, a page, a page</html>"),
        dir.File("missing.htm"),
        dir.Write("empty.htm", ""),
        dir.File("pipe"),
        dir.Write("text.htm", text),
        dir.File("folder"),
        dir.Write("noise.jpg", noise),
        dir.Write("last.htm", "last"),
    };
    const Appended oneCore = AppendAll(dir, paths, 0);
    EXPECT_EQ(oneCore.results,
              (std::vector<bool>{true, false, true, false, true, false, true, true}));
    for (unsigned workers : {1u, 2u, 4u}) {
        SCOPED_TRACE(workers);
        const Appended parallel = AppendAll(dir, paths, workers);
        EXPECT_EQ(parallel.results, oneCore.results);
        EXPECT_EQ(parallel.directory, oneCore.directory);
        EXPECT_TRUE(parallel.content == oneCore.content);
    }
}

// Stopped before every entry was taken, the workers end without waiting for the rest.
TEST(EntryPreparerTest, AStoppedBuildLeavesTheRestUnread) {
    test::TempDir dir;
    std::vector<std::string> paths;
    for (int i = 0; i < 300; ++i) {
        paths.push_back(dir.Write("p" + std::to_string(i) + ".htm", std::string(50000, 'x')));
    }
    platform::FileHandle content;
    ASSERT_TRUE(content.Open(dir.File("content"), platform::FileHandle::Mode::CreateTruncate));
    std::vector<DirectoryEntry> directory;
    {
        EntryPreparer preparer(paths, 3);
        ASSERT_TRUE(preparer.Append(0, content, DirectoryEntry{}, directory));
    }
    EXPECT_EQ(directory.size(), 1u);
}

TEST(EntryPreparerTest, WorkersForCores) {
    EXPECT_EQ(PackingWorkersFor(1), 0u);
    EXPECT_EQ(PackingWorkersFor(2), 2u);
    EXPECT_EQ(PackingWorkersFor(8), 8u);
    EXPECT_GE(PackingWorkersFor(), 0u);
}

}  // namespace
}  // namespace nbx
