// Runs the built tamselc program as a script would and checks what it prints.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "TamselcRunner.h"
#include "cli/Command.h"
#include "project/Project.h"
#include "project/ProjectFileWriter.h"
#include "support/TempDir.h"
#include "support/TerminalText.h"

extern char** environ;

namespace nbx {
namespace {

const std::string kSample = std::string(NBX_TEST_SOURCE_DIR) + "/examples/sample/sample.nxp";

TEST(TamselcShowTest, PrintsTheSampleProjectAsJson) {
    const Outcome run = Tamselc({"show", kSample});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["title"], "A Small Garden");
    EXPECT_EQ(json["files"].size(), 5u);
    EXPECT_EQ(json["files"][0]["orderKey"], "00001000");
    EXPECT_EQ(json["variables"][1]["kind"], 4);
    EXPECT_EQ(json["colors"], nlohmann::json({0xCCFFFF, 0, 0xFFFFFF, 0x993300, 0x993300, 0xFF}));
    EXPECT_EQ(json["toolbarButtons"], nlohmann::json({1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1, 1}));
    EXPECT_EQ(json["modified"], false);
}

TEST(TamselcShowTest, RejectedFilePrintsTheMessagesOnePerParagraph) {
    test::TempDir dir;
    const Outcome run = Tamselc({"show", dir.Write("Book.HTM", "<html></html>")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "You can not load HTML files into Nimbrel E-Book Compiler.\n\nInstead you should "
              "save your HTML files into a folder and then use the Scan Folder option on the "
              "Edit menu.\n\nFor more detailed instructions, see the Getting Started section of "
              "the Help.\n\nUnexpected file format.\n\n");
}

// Every text of a project reaches the terminal as an escape, and the JSON still reads back
// as the same text.
TEST(TamselcShowTest, TextsOfTheProjectReachTheTerminalAsEscapes) {
    test::TempDir dir;
    Project project;
    project.title = test::kHostileText;
    project.copyright = "line one\nline two";
    project.variables.push_back({test::kHostileText, test::kHostileText, "a value", "", 0, 0});
    int error = 0;
    const std::string file = dir.File("hostile.nxp");
    ASSERT_TRUE(SaveProjectFile(file, project, error));

    const Outcome run = Tamselc({"show", file});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(test::FirstRawControl(run.out), "");
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["title"], test::kHostileText);
    EXPECT_EQ(json["copyright"], "line one\nline two");
    EXPECT_EQ(json["variables"][0]["name"], test::kHostileText);
    EXPECT_EQ(json["variables"][0]["description"], test::kHostileText);
}

// Pointed at any file, show names the file's first string as a version it cannot read.
TEST(TamselcShowTest, AnyFilesVersionTextReachesTheTerminalAsEscapes) {
    test::TempDir dir;
    const std::string version = test::kHostileText + "\n\nmore";
    const std::string odd =
        dir.Write("odd.nxp", static_cast<char>(version.size()) + version + std::string(2000, '\0'));
    const Outcome run = Tamselc({"show", odd});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(test::FirstRawControl(run.err), "") << run.err;
    EXPECT_NE(run.err.find("version a\\x1b]0;owned\\x07 b\\x1b[2J c\\u009b2J d\\x7f e\\rf "
                           "\\u202efdp.sh\\n\\nmore"),
              std::string::npos)
        << run.err;
}

TEST(TamselcSaveTest, WritesTheNewestLayoutWithTheSameContent) {
    test::TempDir dir;
    const std::string out = dir.File("copy.nxp");
    ASSERT_EQ(Tamselc({"save", kSample, out}).exitCode, 0);
    EXPECT_EQ(test::ReadWholeFile(out).substr(0, 5),
              "\x04"
              "4.20");
    EXPECT_EQ(Tamselc({"show", out}).out, Tamselc({"show", kSample}).out);
    EXPECT_EQ(Tamselc({"save", kSample, dir.File("missing/x.nxp")}).exitCode, 1);
}

TEST(TamselcScanTest, SetsTheFolderRescansAndSaves) {
    test::TempDir dir;
    dir.Write("src/b.htm", "<title>Second</title>");
    dir.Write("src/a.htm", "<title>First</title>");
    dir.Write("src/book", "the output program");
    Project initial;
    initial.outputExe = dir.File("src/book");
    int error = 0;
    const std::string project = dir.File("book.nxp");
    ASSERT_TRUE(SaveProjectFile(project, initial, error));

    const Outcome scan = Tamselc({"scan", project, "--folder", dir.File("src/")});
    ASSERT_EQ(scan.exitCode, 0) << scan.err;
    EXPECT_EQ(scan.err,
              "book has been Excluded from the E-Book, as this is the Output E-Book EXE file.\n\n");

    const auto json = nlohmann::json::parse(Tamselc({"show", project}).out);
    EXPECT_EQ(json["sourceFolder"], dir.File("src"));
    ASSERT_EQ(json["files"].size(), 3u);
    EXPECT_EQ(json["files"][0]["title"], "First");
    EXPECT_EQ(json["files"][1]["title"], "Second");
    EXPECT_EQ(json["files"][2]["excluded"], 1);

    // Again without --folder: the same folder, and the program is already excluded.
    const Outcome again = Tamselc({"scan", project});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.err, "");
}

TEST(TamselcTest, WrongArgumentsGiveUsage) {
    for (const auto& args : std::vector<std::vector<std::string>>{{"show"},
                                                                  {"save", kSample},
                                                                  {"scan"},
                                                                  {"scan", "a", "b"},
                                                                  {"scan", "a", "--folder"}}) {
        const Outcome run = Tamselc(args);
        EXPECT_EQ(run.exitCode, 2) << args[0] << " " << args.size();
        EXPECT_NE(run.err.find("Usage"), std::string::npos);
    }
}

// Every command answers --help (anywhere among its words) with its usage on stdout, and never
// takes it for a file name.
TEST(TamselcTest, EveryCommandAnswersHelp) {
    for (const char* command : {"build", "run", "series", "show", "save", "scan", "extensions",
                                "lang", "inspect", "extract", "new", "set", "files", "var"}) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{command, "--help"}, {command, kSample, "-h"}}) {
            const Outcome run = Tamselc(args);
            EXPECT_EQ(run.exitCode, 0) << command;
            EXPECT_EQ(run.out.rfind(std::string("Usage: tamselc ") + command, 0), 0u) << run.out;
            EXPECT_EQ(run.err, "") << command;
        }
    }
    // The commands of many options list them all.
    const struct {
        const char* command;
        const char* option;
    } fuller[] = {{"files", "--order links"},
                  {"new", "--copyright"},
                  {"set", "toolbarButtons"},
                  {"var", "--rebrand on|off"}};
    for (const auto& f : fuller) {
        EXPECT_NE(Tamselc({f.command, "--help"}).out.find(f.option), std::string::npos)
            << f.command;
    }
    const Outcome help = Tamselc({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* explained : {"--yes, --no", "--save", "Exit codes: 0"}) {
        EXPECT_NE(help.out.find(explained), std::string::npos) << explained;
    }
}

// The command table's every entry: --help prints the whole usage, never a line that points back
// at --help itself.
TEST(TamselcTest, HelpPrintsEachCommandsWholeUsage) {
    for (const cli::Command& c : cli::AllCommands()) {
        const std::string usage = c.help ? c.help() : c.usage;
        EXPECT_EQ(usage.find("--help)"), std::string::npos) << c.name;
        const Outcome run = TamselcInProcess({c.name, "--help"});
        EXPECT_EQ(run.exitCode, 0) << c.name;
        EXPECT_EQ(run.out, "Usage: tamselc " + usage + "\n") << c.name;
    }
}

// The commands write to the streams they are given: in process they answer as the program does.
TEST(TamselcTest, InProcessTheCommandsAnswerAsTheProgramDoes) {
    const std::vector<std::vector<std::string>> runs = {
        {"show", kSample}, {"show"}, {"--version"}, {"nothing"}, {"set", "/missing.nxp", "a=1"}};
    for (const auto& args : runs) {
        const Outcome spawned = Tamselc(args);
        const Outcome inProcess = TamselcInProcess(args);
        EXPECT_EQ(inProcess.exitCode, spawned.exitCode) << args[0];
        EXPECT_EQ(inProcess.out, spawned.out) << args[0];
        EXPECT_EQ(inProcess.err, spawned.err) << args[0];
    }
}

}  // namespace
}  // namespace nbx
