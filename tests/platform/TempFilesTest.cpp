#include "platform/TempFiles.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "platform/AtomicFileWriter.h"
#include "platform/Paths.h"
#include "support/TempDir.h"

namespace nbx::platform {
namespace {

pid_t DeadProcessId() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
}

// Only this user's working files of processes that no longer run go; anything else that
// merely looks alike stays, and so does a file locked by a writer whose process id means
// nothing here (another machine sharing the folder).
TEST(TempFilesTest, RemovesTheWorkingFilesOfProcessesThatAreGone) {
    test::TempDir dir;
    const std::string dead = std::to_string(DeadProcessId());
    const std::string alive = std::to_string(::getppid());
    const std::string self = std::to_string(::getpid());
    struct Case {
        std::string name;
        bool removed;
        bool locked = false;
    };
    const Case cases[] = {
        {"vmt" + dead + "_1.tmp", true},        {"vmt" + dead + "_12.tmp", true},
        {"vmt" + alive + "_1.tmp", false},      {"vmt" + self + "_1.tmp", false},
        {"vmt" + dead + "_1.txt", false},       {"vmt" + dead + ".tmp", false},
        {"vmt" + dead + "_x.tmp", false},       {"vmtx" + dead + "_1.tmp", false},
        {"other" + dead + "_1.tmp", false},     {"owned-by-nobody", false},
        {"vmt" + dead + "_5.tmp", false, true},
    };
    std::vector<std::unique_ptr<WorkingFileLock>> locks;
    for (const Case& c : cases) {
        dir.Write(c.name, "working bytes");
        if (c.locked) {
            locks.push_back(std::make_unique<WorkingFileLock>(dir.File(c.name)));
        }
    }
    // Another user's file of the same pattern is theirs to clean up.
    const std::string foreign = dir.Write("vmt" + dead + "_2.tmp", "theirs");
    ASSERT_EQ(::chown(foreign.c_str(), 65534, 65534), 0);
    RemoveAbandonedWorkingFiles(dir.path(), "vmt");
    for (const Case& c : cases) {
        EXPECT_EQ(FileExists(dir.File(c.name)), !c.removed) << c.name;
    }
    EXPECT_TRUE(FileExists(foreign));
}

// The folders of carried files that a killed reader left for other programs go, with what is
// in them; a running reader's, another user's, and a file of that name stay.
TEST(TempFilesTest, RemovesTheFoldersOfProcessesThatAreGone) {
    test::TempDir dir;
    const std::string dead = std::to_string(DeadProcessId());
    const std::string alive = std::to_string(::getppid());
    const std::string gone = dir.File("nbx-open-" + dead + "_a1B2c3");
    const std::string running = dir.File("nbx-open-" + alive + "_a1B2c3");
    const std::string file = dir.File("nbx-open-" + dead + "_file");
    const std::string theirs = dir.File("nbx-open-" + dead + "_theirs");
    for (const std::string& folder : {gone, running, theirs}) {
        std::filesystem::create_directories(folder + "/inner");
        dir.Write(std::filesystem::path(folder).filename().string() + "/inner/guide.pdf", "%PDF");
    }
    dir.Write("nbx-open-" + dead + "_file", "a file");
    ASSERT_EQ(::chown(theirs.c_str(), 65534, 65534), 0);
    // A link inside is removed, never followed.
    const std::string kept = dir.Write("kept.txt", "outside");
    std::filesystem::create_symlink(kept, gone + "/link");
    RemoveAbandonedFolders(dir.path(), "nbx-open-");
    EXPECT_FALSE(std::filesystem::exists(gone));
    EXPECT_TRUE(std::filesystem::exists(running + "/inner/guide.pdf"));
    EXPECT_TRUE(std::filesystem::exists(theirs));
    EXPECT_TRUE(FileExists(file));
    EXPECT_EQ(test::ReadWholeFile(kept), "outside");
}

// The hidden working file that a killed rewrite left beside a book goes with the next write.
TEST(TempFilesTest, TheNextWriteRemovesWhatAKilledWriterLeftBesideTheTarget) {
    test::TempDir dir;
    const std::string left =
        dir.Write(".book." + std::to_string(DeadProcessId()) + "_3.tmp", "half a book");
    int error = 0;
    ASSERT_TRUE(WriteFileAtomically(dir.File("book"), "whole", error));
    EXPECT_FALSE(FileExists(left));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// The working file's name stays within the system's 255-byte limit for the longest names.
TEST(TempFilesTest, NamesUpToTheSystemLimitCanBeWritten) {
    test::TempDir dir;
    for (const std::size_t length : {1u, 200u, 233u, 241u, 250u, 255u}) {
        const std::string target = dir.File(std::string(length, 'n'));
        int error = 0;
        EXPECT_TRUE(WriteFileAtomically(target, "bytes", error)) << length << ": " << error;
        EXPECT_TRUE(FileExists(target)) << length;
        EXPECT_LE(SiblingWorkingFilePrefix(std::string(length, 'n')).size() + 22, 255u);
    }
}

}  // namespace
}  // namespace nbx::platform
