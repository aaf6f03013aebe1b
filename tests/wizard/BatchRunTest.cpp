// nbxkwik --batch: its options, and the program itself from the options to a book the reader
// opens.

#include "wizard/core/BatchRun.h"

#include <sys/wait.h>

#include <algorithm>
#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "WizardFixture.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"
#include "reader/ReaderBook.h"
#include "support/RunCommand.h"
#include "wizard/core/ProjectType.h"

namespace nbx::wizard {
namespace {

using ::testing::HasSubstr;

const std::string kProgramDir = NBX_PROGRAM_DIR;

WizardSettings Remembered() {
    WizardSettings s;
    s.folder = "/w";
    s.projectType = "Microsoft Word 2000";
    s.splash = 2;
    s.copyright = "(C) Remembered";
    s.author = "Remembered Author";
    return s;
}

TEST(BatchOptionsTest, LeftOutOptionsTakeTheWindowsStartingValues) {
    BatchRequest out;
    std::string error;
    ASSERT_TRUE(ParseBatchOptions({"--name", "My Book"}, Remembered(), out, error)) << error;
    EXPECT_EQ(out.request.name, "My Book");
    EXPECT_EQ(out.request.folder, "/w");
    EXPECT_EQ(out.request.type, FindProjectType("Microsoft Word 2000"));
    EXPECT_EQ(out.answers.book.title, "My Book");
    EXPECT_EQ(out.answers.book.copyright, "(C) Remembered");
    EXPECT_EQ(out.answers.book.author, "Remembered Author");
    EXPECT_EQ(out.answers.splash, 2);
    EXPECT_EQ(out.answers.instructions, 1);
    EXPECT_EQ(out.answers.launch, 0);

    ASSERT_TRUE(ParseBatchOptions({"--name",
                                   "B",
                                   "--folder",
                                   "/f",
                                   "--type",
                                   "Other authoring software",
                                   "--title",
                                   "T",
                                   "--publisher",
                                   "P",
                                   "--copyright",
                                   "C",
                                   "--author",
                                   "A",
                                   "--email",
                                   "E",
                                   "--url",
                                   "U",
                                   "--splash",
                                   "1",
                                   "--menu",
                                   "0",
                                   "--popup",
                                   "0",
                                   "--statusbar",
                                   "0",
                                   "--toolbar",
                                   "0",
                                   "--toolbar-position",
                                   "3",
                                   "--instructions",
                                   "0",
                                   "--launch",
                                   "1"},
                                  Remembered(), out, error))
        << error;
    const WizardAnswers& a = out.answers;
    EXPECT_EQ(out.request.folder, "/f");
    EXPECT_EQ(out.request.type, 5);
    EXPECT_EQ((std::vector<std::string>{a.book.title, a.book.publisher, a.book.copyright,
                                        a.book.author, a.book.authorEmail, a.book.authorUrl}),
              (std::vector<std::string>{"T", "P", "C", "A", "E", "U"}));
    EXPECT_EQ((std::vector<int>{a.splash, a.menu, a.popupMenu, a.statusBar, a.toolbar,
                                a.toolbarPosition, a.instructions, a.launch}),
              (std::vector<int>{1, 0, 0, 0, 0, 3, 0, 1}));
    ASSERT_TRUE(ParseBatchOptions({"--type", "1"}, Remembered(), out, error));
    EXPECT_EQ(out.request.type, 1);
}

std::string Repeated(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

TEST(BatchOptionsTest, BadOptionsAreNamed) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--splash", "4"}, "nbxkwik: --splash takes 0 to 3, not '4'"},
        {{"--menu", "yes"}, "nbxkwik: --menu takes 0 to 1, not 'yes'"},
        {{"--toolbar-position", "-1"}, "nbxkwik: --toolbar-position takes 0 to 3, not '-1'"},
        {{"--type", "6"}, "nbxkwik: --type: no project type '6'"},
        {{"--type", "Word"},
         "nbxkwik: --type: 'Word' fits several project types:\n  3 Microsoft Word 2000\n"
         "  4 Microsoft Word 97"},
        {{"--type", "Excel"}, "nbxkwik: --type: no project type 'Excel'"},
        {{"--colour", "red"}, "nbxkwik: unknown option --colour"},
        {{"--name"}, "nbxkwik: --name needs a value"},
        {{"stray"}, "nbxkwik: unexpected argument 'stray'"},
        {{"--name", std::string(33, 'a')}, "nbxkwik: --name takes at most 32 characters"},
        {{"--folder", "/" + std::string(255, 'a')},
         "nbxkwik: --folder: The Folder is too long: it can be at most 255 bytes, and a letter "
         "outside A to Z takes 2 to 4 of them."},
        // 201 characters, 401 bytes: the window's field counts the same bytes.
        {{"--folder", "/" + Repeated("\xc3\xa9", 200)},
         "nbxkwik: --folder: The Folder is too long: it can be at most 255 bytes, and a letter "
         "outside A to Z takes 2 to 4 of them."},
    };
    for (const auto& [args, message] : cases) {
        BatchRequest out;
        std::string error;
        EXPECT_FALSE(ParseBatchOptions(args, Remembered(), out, error)) << message;
        EXPECT_EQ(error, message);
    }
}

// Single quotes for the shell.
std::string Shell(const std::string& word) {
    std::string out = "'";
    for (const char c : word) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

class BatchProgramTest : public WizardFixture {
protected:
    struct Run {
        int exitCode = -1;
        std::string err;
    };
    // Runs a program of the program folder with the fixture's configuration folder; a
    // stand-in xdg-open first on the PATH writes down what it was asked to open.
    Run Program(const std::string& name, const std::vector<std::string>& args) {
        const std::string bin = dir.File("bin");
        const std::string opener = dir.Write(
            "bin/xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"" + bin + "/opened\"\n");
        std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
        std::string command = "NBX_CONFIG_DIR=" + Shell(config) + " PATH=" + Shell(bin) +
                              ":\"$PATH\" " + Shell(kProgramDir + "/" + name);
        for (const std::string& a : args) {
            command += " " + Shell(a);
        }
        command += " </dev/null 2>" + Shell(dir.File("err"));
        Run run;
        int status = 0;
        test::RunCommand(command, status);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.err = test::ReadWholeFile(dir.File("err"));
        return run;
    }
};

TEST_F(BatchProgramTest, RefusalsExitWithOneAndTheMessageOnStderr) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--name", "my-book", "--folder", work, "--type", "0"},
         "Project Name must contain letters, digits, underscores and spaces only.\n\n"},
        {{"--name", "Book", "--folder", "//server/share", "--type", "0"},
         "Invalid Folder Name.\n\n"},
        {{"--name", "Book", "--folder", work, "--type", "0", "--title", ""},
         "Your E-Book must have a Title.\n\n"},
        {{"--name", "  ", "--folder", work, "--type", "0"},
         "a project name, a folder and a project type are needed"},
        {{"--name", "Book", "--folder", work}, "a project name, a folder and a project type"},
    };
    for (const auto& [args, message] : cases) {
        const Run run = Program("nbxkwik", [&] {
            std::vector<std::string> all = {"--batch"};
            all.insert(all.end(), args.begin(), args.end());
            return all;
        }());
        EXPECT_EQ(run.exitCode, 1) << message;
        EXPECT_THAT(run.err, HasSubstr(message));
    }
    EXPECT_FALSE(platform::FolderExists(work + "/Book"));
}

// An answer with line breaks once added a section to nbxconfig.ini that made every later
// start of the compiler load a library of the writer's choosing.
TEST_F(BatchProgramTest, AnAnswerOnSeveralLinesAddsNoSection) {
    const std::string library = dir.Write("evil.so", "not really");
    for (const char* option : {"--author", "--publisher", "--url"}) {
        const Run run = Program("nbxkwik", {"--batch", "--name", "Book", "--folder", work, "--type",
                                            "0", option, "Ann\n[EXTENSION1]\nLOAD=" + library});
        EXPECT_EQ(run.exitCode, 1) << option;
        EXPECT_THAT(run.err, HasSubstr("must be on one line: it can't hold a line break"));
        const std::string ini = config + "/nbxconfig.ini";
        EXPECT_THAT(platform::ListProfileSections(ini), ::testing::ElementsAre("NBXKWIK"));
        EXPECT_EQ(platform::ReadProfileString(ini, "EXTENSION1", "LOAD", "<none>"), "<none>");
        EXPECT_FALSE(platform::FolderExists(work + "/Book"));
    }
}

TEST_F(BatchProgramTest, AProjectIsMadeBuiltAndRead) {
    const Run made =
        Program("nbxkwik", {"--batch", "--name", "Garden Book", "--folder", work, "--type", "0",
                            "--title", "A Small Garden", "--instructions", "0"});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    const std::string p = work + "/Garden Book";
    EXPECT_EQ(made.err, "The project was created successfully, and can be found in the " + p +
                            " folder.\n\n");
    EXPECT_EQ(platform::ReadProfileString(config + "/nbxconfig.ini", "NBXKWIK", "PROJECTTYPE", ""),
              ProjectTypes()[0].name);

    for (const auto& entry : std::filesystem::directory_iterator(std::string(NBX_TEST_SOURCE_DIR) +
                                                                 "/examples/sample/source")) {
        std::filesystem::copy_file(entry.path(), p + "/source/" + entry.path().filename().string());
    }
    const Run built = Program("tamselc", {"build", p + "/gardenbook.nxp"});
    ASSERT_EQ(built.exitCode, 0) << built.err;

    reader::ReaderBook book;
    ASSERT_TRUE(book.Open(p + "/output/gardenbook")) << book.error();
    EXPECT_EQ(book.settings().title, "A Small Garden");
    // The language and toolbar files, 5 sources, the search index.
    EXPECT_EQ(book.directory().size(), 2u + 5u + 1u);
    ASSERT_GE(book.order().IndexPage(), 0);
    std::string page;
    ASSERT_TRUE(book.ReadEntry(static_cast<std::size_t>(book.order().IndexPage()), page));
    EXPECT_EQ(page, test::ReadWholeFile(std::string(NBX_TEST_SOURCE_DIR) +
                                        "/examples/sample/source/index.htm"));
    std::string splash;
    EXPECT_TRUE(book.ReadSplash(splash));
    EXPECT_EQ(splash, test::ReadWholeFile(kProgramDir + "/splash16.bmp"));
}

// The usage needs no display, with or without --batch; the windows take no other words.
TEST_F(BatchProgramTest, HelpPrintsTheUsageWithoutADisplay) {
    for (const char* args : {"--help", "--batch --help", "--batch --name -h"}) {
        int status = 0;
        const std::string out =
            test::RunCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                                 Shell(kProgramDir + "/nbxkwik") + " " + args + " 2>&1",
                             status);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << args << ": " << out;
        EXPECT_THAT(out, HasSubstr("Usage: nbxkwik --batch --name NAME")) << args;
        EXPECT_THAT(out, HasSubstr("  5  Other authoring software")) << args;
    }
    int status = 0;
    test::RunCommand(
        "QT_QPA_PLATFORM=offscreen " + Shell(kProgramDir + "/nbxkwik") + " stray >/dev/null 2>&1",
        status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2);
}

// Every type's project takes in the source folder's whole tree: its pictures may sit in
// sub-folders, as its instructions page says.
TEST_F(BatchProgramTest, PicturesInSubFoldersGoIntoTheBook) {
    const Run made = Program("nbxkwik", {"--batch", "--name", "Tree", "--folder", work, "--type",
                                         "html", "--instructions", "0"});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    const std::string p = work + "/Tree";
    dir.Write("work/Tree/source/index.htm", "<title>Tree</title><img src=\"images/leaf.gif\">");
    dir.Write("work/Tree/source/images/leaf.gif", "GIF89a");
    const Run built = Program("tamselc", {"build", p + "/tree.nxp"});
    ASSERT_EQ(built.exitCode, 0) << built.err;
    reader::ReaderBook book;
    ASSERT_TRUE(book.Open(p + "/output/tree")) << book.error();
    std::vector<std::string> names;
    for (const auto& entry : book.directory()) {
        if (entry.name.rfind("__", 0) != 0) {
            names.push_back(entry.name);
        }
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"images/leaf.gif", "index.htm"}));
}

TEST_F(BatchProgramTest, InstructionsAreOpenedByDefault) {
    const Run made = Program("nbxkwik", {"--batch", "--name", "Notes", "--folder", work, "--type",
                                         "Microsoft Word 97", "--splash", "3"});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(made.err, "");
    EXPECT_EQ(test::ReadWholeFile(dir.File("bin/opened")), work + "/Notes/readme.htm\n");
    EXPECT_EQ(test::ReadWholeFile(work + "/Notes/splash/mysplash.bmp"),
              test::ReadWholeFile(kProgramDir + "/splash2.dat"));
}

}  // namespace
}  // namespace nbx::wizard
