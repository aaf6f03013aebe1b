#include <cstdlib>
#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "SeriesProject.h"
#include "TamselcRunner.h"
#include "project/CTamselDoc.h"
#include "project/Project.h"
#include "project/ProjectFileWriter.h"
#include "support/RecordingPrompter.h"
#include "support/TempDir.h"
#include "support/TerminalText.h"

namespace nbx {
namespace {

using ::testing::HasSubstr;

const std::string kSample = std::string(NBX_TEST_SOURCE_DIR) + "/examples/sample/sample.nxp";

TEST(TamselcBuildTest, BuildsTheSampleAndLeavesTheProjectAlone) {
    test::TempDir dir;
    const std::string before = test::ReadWholeFile(kSample);
    const std::string output = dir.File("garden.exe");
    const Outcome run = Tamselc({"build", kSample, "--output", output});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto size = std::filesystem::file_size(output);
    EXPECT_EQ(run.out, "Output E-Book EXE: " + output + " (" + std::to_string(size) +
                           " bytes)\nBuilds a Windows program (the name ends in \".exe\").\n");
    EXPECT_EQ(test::ReadWholeFile(kSample), before);

    const Outcome inspect = Tamselc({"inspect", output});
    ASSERT_EQ(inspect.exitCode, 0) << inspect.err;
    const auto json = nlohmann::json::parse(inspect.out);
    EXPECT_EQ(json["settings"]["title"], "A Small Garden");
    EXPECT_EQ(json["variables"][0]["value"], "Rosemary Lane");
    // The search index: an entry like the others, summed up; of the three searchable pages,
    // the one naming a variable is left to the reader (notes.htm, without a title, is not
    // searchable).
    std::vector<std::string> names;
    for (const auto& entry : json["directory"]) {
        names.push_back(entry["name"]);
    }
    EXPECT_THAT(names, ::testing::Contains("__search.idx"));
    EXPECT_EQ(json["searchIndex"]["pages"], 2) << inspect.out;
    EXPECT_GT(json["searchIndex"]["terms"], 10) << inspect.out;
}

TEST(TamselcBuildTest, AFailedBuildPrintsTheWholeErrorOnStderr) {
    test::TempDir dir;
    const Outcome run = Tamselc({"build", WriteSeriesProject(dir, {.language = "Klingon"})});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, HasSubstr("Error:\nThe language file is corrupt, missing, or intended "
                                   "for use with a different version of Nimbrel E-Book "
                                   "Compiler.\n\nHow you can fix this:\nGo to 'User Interface'"));
}

// A build's messages quote names from the project file; on the terminal they are text.
TEST(TamselcBuildTest, NamesInMessagesReachTheTerminalAsEscapes) {
    test::TempDir dir;
    const std::string project = WriteSeriesProject(dir);
    CTamselDoc doc;
    test::RecordingPrompter prompter;
    ASSERT_TRUE(doc.OnOpenDocument(project, prompter));
    doc.project().variables[0].name = test::kHostileText;
    ASSERT_TRUE(doc.OnSaveDocument(project, prompter));

    const Outcome run = Tamselc({"build", project});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, HasSubstr("The Nimbrel Variable '"));
    EXPECT_EQ(test::FirstRawControl(run.err), "") << run.err;
}

// `build P --output P` once replaced the project file with the e-book without a question.
TEST(TamselcBuildTest, AnOutputThatIsTheProjectFileIsRefusedBeforeAnythingIsWritten) {
    test::TempDir dir;
    const std::string project = WriteSeriesProject(dir);
    const std::string before = test::ReadWholeFile(project);
    std::filesystem::create_symlink(project, dir.File("out/link"));
    for (const std::string& output :
         {project, dir.File("out/link"), dir.File("src/../series.nxp")}) {
        const Outcome run = Tamselc({"build", project, "--output", output});
        EXPECT_EQ(run.exitCode, 1) << output;
        EXPECT_EQ(run.out, "");
        EXPECT_THAT(run.err, HasSubstr("Error:\nOutput E-Book EXE is the project file.\n"));
        EXPECT_EQ(test::ReadWholeFile(project), before) << output;
    }
}

// An item of a series whose numbered name is an include file stops the series there.
TEST(TamselcBuildTest, ASeriesItemThatIsAnIncludeFileIsRefused) {
    test::TempDir dir;
    const std::string project = WriteSeriesProject(dir);
    const std::string include = dir.Write("out/book4.exe", "<p>kept</p>");
    CTamselDoc doc;
    test::RecordingPrompter prompter;
    ASSERT_TRUE(doc.OnOpenDocument(project, prompter));
    Variable part;
    part.name = "Part";
    part.kind = kIncludeHtml;
    part.canRebrand = 0;
    part.value = include;
    doc.project().variables.push_back(part);
    ASSERT_TRUE(doc.OnSaveDocument(project, prompter));

    const Outcome run = Tamselc(
        {"series", project, "--variable", "Number", "--first", "3", "--last", "5", "--yes"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, HasSubstr("Error:\nOutput E-Book EXE is the file that the Nimbrel "
                                   "Variable 'Part' includes.\n"));
    EXPECT_EQ(test::ReadWholeFile(include), "<p>kept</p>");
    EXPECT_FALSE(std::filesystem::exists(dir.File("out/book5.exe")));
}

TEST(TamselcBuildTest, SeriesBuildsNumberedBooks) {
    test::TempDir dir;
    const std::string project = WriteSeriesProject(dir);
    const Outcome run = Tamselc(
        {"series", project, "--variable", "Number", "--first", "3", "--last", "4", "--yes"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.err, HasSubstr("Build Series Successful:\n\nYou have successfully built 2 "
                                   "E-Book EXEs (2 files).\n\nThe files are named book3.exe to "
                                   "book4.exe."));
    const Outcome inspect = Tamselc({"inspect", dir.File("out/book4.exe")});
    ASSERT_EQ(inspect.exitCode, 0) << inspect.err;
    EXPECT_EQ(nlohmann::json::parse(inspect.out)["variables"][0]["value"], "4");

    // Without --yes the confirmation takes its default, No.
    const Outcome refused =
        Tamselc({"series", project, "--variable", "Number", "--first", "1", "--last", "2"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out/book1.exe")));
}

// On a terminal the progress line is cleared before a question is asked, so the question
// does not run on after "Packing ... 40%". script(1) gives tamselc its terminal.
TEST(TamselcBuildTest, TheProgressLineEndsBeforeAQuestion) {
    test::TempDir dir;
    Project project;
    for (int i = 0; i < 21; ++i) {  // more pages than the Contents pop-up list holds
        SourceFile page;
        const std::string name = i == 0 ? "index" : "p" + std::to_string(i);
        page.path = dir.Write("src/" + name + ".htm", "<title>P</title>x");
        page.inContents = 1;
        project.files.push_back(page);
    }
    project.sourceFolder = dir.File("src");
    project.outputExe = dir.File("book");
    project.splashBitmap.clear();
    project.iconFile.clear();
    project.contentsPopupList = 1;
    const std::string path = dir.File("popup.nxp");
    int error = 0;
    ASSERT_TRUE(SaveProjectFile(path, project, error));
    const std::string transcript = dir.File("transcript");
    const std::string command = "printf 'c\\n' | script -qec \"" + std::string(NBX_PROGRAM_DIR) +
                                "/tamselc build " + path + "\" " + transcript + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()) == -1, false);
    const std::string shown = test::ReadWholeFile(transcript);
    const std::size_t question = shown.find("You have chosen to have a Pop-up list");
    ASSERT_NE(question, std::string::npos) << shown;
    EXPECT_NE(shown.rfind('%', question), std::string::npos) << "no progress before the question";
    EXPECT_EQ(shown.substr(question - 4, 4), "\r\033[K") << shown.substr(0, question);
    EXPECT_FALSE(std::filesystem::exists(project.outputExe));  // cancelled
}

}  // namespace
}  // namespace nbx
