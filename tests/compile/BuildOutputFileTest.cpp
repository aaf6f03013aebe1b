// What the author's output files keep across a build: their mode, their symbolic links, and
// their place in a folder the author may not write to.

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "compile/BuildChecks.h"
#include "compile/BuildCommand.h"
#include "compile/BuildEBookFixture.h"
#include "compile/OutputAssembler.h"
#include "compile/RebranderBuild.h"
#include "format/ArchiveReader.h"
#include "support/AsNobody.h"

namespace nbx {
namespace {

namespace fs = std::filesystem;

int ModeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

TEST_F(BuildEBookTest, OutputsKeepTheModeOfTheFilesTheyReplace) {
    project.buildRebrander = 1;
    project.rebranderExe = dir.File("out/rebrand.exe");
    struct Case {
        int oldMode;  // -1: no file before the build
        mode_t umask;
        int mode;
    };
    const Case cases[] = {
        {0600, 022, 0600}, {0700, 022, 0700}, {0751, 077, 0751},
        {-1, 022, 0755},   {-1, 077, 0700},   {-1, 002, 0775},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.oldMode) + " umask " + std::to_string(c.umask));
        for (const std::string& path : {project.outputExe, project.rebranderExe}) {
            fs::remove(path);
            if (c.oldMode >= 0) {
                dir.Write(fs::relative(path, dir.path()).string(), "an older build");
                ASSERT_EQ(::chmod(path.c_str(), static_cast<mode_t>(c.oldMode)), 0);
            }
        }
        const mode_t saved = ::umask(c.umask);
        const bool built = BuildWithRebrander(project, ui, env);
        ::umask(saved);
        ASSERT_TRUE(built) << OnlyMessage();
        EXPECT_EQ(ModeOf(project.outputExe), c.mode);
        EXPECT_EQ(ModeOf(project.rebranderExe), c.mode);
    }
}

// An output path that is a symbolic link: the book goes where the link leads (whether or not
// a file is there yet) and the link stays.
TEST_F(BuildEBookTest, OutputLinksAreWrittenThroughAndKept) {
    fs::create_directories(dir.File("shelf"));
    project.buildRebrander = 1;
    for (const bool targetExists : {true, false}) {
        SCOPED_TRACE(targetExists ? "link to a file" : "dangling link");
        fs::remove_all(dir.File("shelf"));
        fs::create_directories(dir.File("shelf"));
        fs::remove(dir.File("out/book.exe"));
        fs::remove(dir.File("out/rebrand.exe"));
        if (targetExists) {
            dir.Write("shelf/book.exe", "the old book");
            dir.Write("shelf/rebrand.exe", "the old rebrander");
        }
        fs::create_symlink(dir.File("shelf/book.exe"), dir.File("out/book.exe"));
        fs::create_symlink(dir.File("shelf/rebrand.exe"), dir.File("out/rebrand.exe"));
        project.rebranderExe = dir.File("out/rebrand.exe");
        ASSERT_TRUE(BuildWithRebrander(project, ui, env)) << OnlyMessage();
        EXPECT_TRUE(fs::is_symlink(dir.File("out/book.exe")));
        EXPECT_TRUE(fs::is_symlink(dir.File("out/rebrand.exe")));
        ArchiveReader reader;
        EXPECT_TRUE(reader.Open(dir.File("shelf/book.exe"))) << reader.error();
        EXPECT_EQ(test::ReadWholeFile(dir.File("shelf/rebrand.exe")).substr(0, 5), "RRRRR");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.File("shelf")), {}), 2);
    }
}

// A book the author may write in a folder the author may not: built over in place once the
// new book is complete elsewhere, leaving nothing behind; a book the author may not write
// either is refused with the system's reason.
TEST_F(BuildEBookTest, AWritableBookInAReadOnlyFolderIsBuiltInPlace) {
    test::OpenToEveryone(dir.path());
    dir.Write("out/book.exe", "the old book");
    struct Case {
        int bookMode;
        bool built;
    };
    for (const Case c : {Case{0666, true}, Case{0644, false}}) {
        SCOPED_TRACE(c.bookMode);
        ASSERT_EQ(::chmod(project.outputExe.c_str(), static_cast<mode_t>(c.bookMode)), 0);
        const std::string result = test::RunAsNobody(
            [&] { return Build() ? std::string("built") : prompter.messages.back(); });
        if (c.built) {
            EXPECT_EQ(result, "built");
            ArchiveReader reader;
            EXPECT_TRUE(reader.Open(project.outputExe)) << reader.error();
            EXPECT_EQ(ModeOf(project.outputExe), c.bookMode);
        } else {
            EXPECT_NE(result.find("Unable to write to Output E-Book EXE: Permission denied"),
                      std::string::npos)
                << result;
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.File("out")), {}), 1);
    }
}

// The Rebrander path names the e-book's file whatever its spelling: the same path, a link or
// a hard link (as two spellings on a disk that ignores case do). The check happens before the
// build and again before the Rebrander is written, when the e-book exists.
TEST_F(BuildEBookTest, ARebranderPathThatNamesTheEBookIsRefused) {
    project.buildRebrander = 1;
    dir.Write("out/book.exe", "the author's book");
    fs::create_symlink(project.outputExe, dir.File("out/link.exe"));
    fs::create_hard_link(project.outputExe, dir.File("out/hard.exe"));
    struct Case {
        const char* rebrander;
        bool same;
    };
    for (const Case& c : {Case{"out/book.exe", true}, Case{"out/link.exe", true},
                          Case{"out/hard.exe", true}, Case{"out/rebrand.exe", false}}) {
        SCOPED_TRACE(c.rebrander);
        project.rebranderExe = dir.File(c.rebrander);
        const auto problem = OutputPathsProblem(project);
        EXPECT_EQ(
            problem.has_value() && problem->title ==
                                       "No Output E-Book EXE and Output Rebrander EXE are the "
                                       "same file.",
            c.same);
        if (c.same) {
            prompter.messages.clear();
            EXPECT_FALSE(BuildRebrander(project, ui, 5, compiler));
            EXPECT_NE(OnlyMessage().find("are the same file."), std::string::npos);
            EXPECT_EQ(test::ReadWholeFile(project.outputExe), "the author's book");
        }
    }
}

TEST_F(BuildEBookTest, OutputNamesUpToTheSystemLimitBuild) {
    project.buildRebrander = 1;
    project.outputExe = dir.File("out/" + std::string(251, 'b'));
    project.rebranderExe = dir.File("out/" + std::string(255, 'r'));
    ASSERT_TRUE(BuildWithRebrander(project, ui, env)) << OnlyMessage();
    ArchiveReader reader;
    EXPECT_TRUE(reader.Open(project.outputExe)) << reader.error();
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.File("out")), {}), 2);
}

// A path the build reads that is a named pipe (nothing ever writes to it) ends in the build's
// message for that file instead of waiting forever.
TEST_F(BuildEBookTest, APipeWhereTheBuildReadsAFileEndsInItsMessage) {
    const std::string pipe = dir.File("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const Project original = project;
    struct Case {
        const char* what;
        std::function<void(Project&)> point;
        const char* message;
    };
    const Case cases[] = {
        {"icon", [&](Project& p) { p.iconFile = pipe; }, "Can't find custom icon."},
        {"splash", [&](Project& p) { p.splashBitmap = pipe; }, "Missing Splash File."},
        {"include", [&](Project& p) { p.variables[1].value = pipe; },
         "includes a file which does not exist or could not be read."},
        {"page", [&](Project& p) { p.files[2].path = pipe; }, "Missing File."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        project = original;
        c.point(project);
        prompter.messages.clear();
        EXPECT_FALSE(Build());
        EXPECT_NE(OnlyMessage().find(c.message), std::string::npos) << OnlyMessage();
    }
}

// An output path that names a device, a pipe or a folder is refused, and stays what it was.
TEST_F(BuildEBookTest, AnOutputThatIsNoRegularFileIsRefused) {
    const std::string device = dir.File("out/null");
    ASSERT_EQ(::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);  // a null device
    ASSERT_EQ(::mkfifo(dir.File("out/pipe").c_str(), 0600), 0);
    fs::create_directories(dir.File("out/folder"));
    const struct {
        std::string path;
        fs::file_type type;
    } cases[] = {{device, fs::file_type::character},
                 {dir.File("out/pipe"), fs::file_type::fifo},
                 {dir.File("out/folder"), fs::file_type::directory}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        project.outputExe = c.path;
        prompter.messages.clear();
        EXPECT_FALSE(Build());
        EXPECT_NE(OnlyMessage().find("Unable to write to Output E-Book EXE: "), std::string::npos)
            << OnlyMessage();
        EXPECT_EQ(fs::symlink_status(c.path).type(), c.type);
    }
}

// The advice speaks of this system's applications, not another system's.
TEST_F(BuildEBookTest, AdviceNamesNoOtherSystem) {
    project.buildRebrander = 1;
    project.rebranderExe = dir.File("out/rebrand");  // a Linux one
    fs::remove(compiler + "/rebrand.dat");
    EXPECT_FALSE(BuildRebrander(project, ui, 5, compiler));
    fs::remove(compiler + "/toolbar.tb");
    EXPECT_FALSE(Build());
    ASSERT_EQ(prompter.messages.size(), 2u);
    for (const std::string& message :
         {prompter.messages[0], prompter.messages[1], std::string(kAssembleErrorAdvice)}) {
        EXPECT_NE(message.find("Close other applications"), std::string::npos) << message;
        EXPECT_EQ(message.find("Windows"), std::string::npos) << message;
    }
}

}  // namespace
}  // namespace nbx
