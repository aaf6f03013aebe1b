#include "compile/BuildSeries.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/Paths.h"
#include "support/RecordingPrompter.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class FakeSeriesWindow final : public SeriesProgress {
public:
    void Open(std::string_view caption, bool smooth) override {
        calls.push_back("Open " + std::string(caption) + (smooth ? " smooth" : ""));
    }
    void SetRange(int lower, int upper, int step) override {
        calls.push_back("SetRange " + std::to_string(lower) + " " + std::to_string(upper) + " " +
                        std::to_string(step));
    }
    void StepIt() override { ++steps; }
    void SetText(std::string_view text) override { texts.emplace_back(text); }
    void PumpMessages(bool) override {
        if (cancelAtStep && steps == cancelAtStep)
            cancelled = true;
    }
    bool Cancelled() const override { return cancelled; }
    void Close() override { calls.push_back("Close"); }

    std::vector<std::string> calls;
    std::vector<std::string> texts;
    int steps = 0;
    int cancelAtStep = 0;
    bool cancelled = false;
};

class BuildSeriesTest : public ::testing::Test {
protected:
    void SetUp() override {
        project.outputExe = dir.Write("out/book.exe", std::string(500, 'b'));
        project.rebranderExe = dir.Write("out/rebrand.exe", std::string(100, 'r'));
        Variable number;
        number.name = "Number";
        number.value = "original";
        project.variables = {number};
        builders.clock = [] { return std::int64_t{1700000000}; };
        builders.buildEBook = [this](Project& p, BuildUi&, std::int64_t, bool series) {
            built.push_back(platform::FileNameOfPath(p.outputExe) + "=" + p.variables[0].value +
                            (series ? "" : " (measure)"));
            if (failAt == static_cast<int>(built.size()))
                return false;
            dir.Write("out/" + platform::FileNameOfPath(p.outputExe), "book");
            return true;
        };
        builders.buildRebrander = [this](Project& p, BuildUi&, std::int64_t) {
            built.push_back(platform::FileNameOfPath(p.rebranderExe));
            dir.Write("out/" + platform::FileNameOfPath(p.rebranderExe), "rb");
            return true;
        };
        prompter.answers = {Answer::Yes};
    }

    bool Run(std::int64_t first, std::int64_t last, bool rebranders = false) {
        SeriesRequest request{"Number", first, last, rebranders};
        return RunSeries(project, ui, 1500, request, builders);
    }

    test::TempDir dir;
    Project project;
    SeriesBuilders builders;
    std::vector<std::string> built;
    int failAt = 0;
    test::RecordingPrompter prompter;
    NullBuildProgress progress;
    FakeSeriesWindow window;
    BuildUi ui{prompter, progress, &window};
};

TEST_F(BuildSeriesTest, BuildsEveryItemAndRestoresTheProject) {
    const Project before = project;
    ASSERT_TRUE(Run(4, 6));
    EXPECT_THAT(built, ElementsAre("book4.exe=4", "book5.exe=5", "book6.exe=6"));
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0].text,
              "Build Series:\n\nYou have asked to build 3 E-Book EXEs (3 files).\n\nThe files "
              "will be named book4.exe to book6.exe.\n\nWe estimate this will take 4 seconds to "
              "finish., and will require 1500 bytes of disk space.\n\nDo you wish to proceed?");
    EXPECT_EQ(prompter.questions[0].defaultAnswer, Answer::No);
    EXPECT_THAT(window.calls, ElementsAre("Open Build Series smooth", "SetRange 0 3 1", "Close"));
    EXPECT_EQ(window.texts[1], "Building item 2 of 3:\nbook5.exe");
    EXPECT_THAT(prompter.messages,
                ElementsAre("Build Series Successful:\n\nYou have successfully built 3 E-Book "
                            "EXEs (3 files).\n\nThe files are named book4.exe to book6.exe."));
    EXPECT_TRUE(static_cast<const ProjectSettings&>(project) == before);
}

TEST_F(BuildSeriesTest, RebrandersCanBeLeftOutOfTheRun) {
    project.buildRebrander = 1;
    ASSERT_TRUE(Run(1, 2, false));
    EXPECT_THAT(built, ElementsAre("book1.exe=1", "book2.exe=2"));
    EXPECT_EQ(project.buildRebrander, 1);

    built.clear();
    prompter.answers = {Answer::Yes};
    ASSERT_TRUE(Run(1, 2, true));
    EXPECT_THAT(built, ElementsAre("book1.exe=1", "rebrand1.exe", "book2.exe=2", "rebrand2.exe"));
    EXPECT_THAT(prompter.questions.back().text,
                HasSubstr("2 E-Book EXEs and 2 Rebrander EXEs (4 files).\n\nThe files will be "
                          "named book1.exe to book2.exe, and rebrand1.exe to rebrand2.exe."));
}

TEST_F(BuildSeriesTest, AFailureOffersToDeleteWhatWasBuilt) {
    failAt = 2;
    prompter.answers = {Answer::Yes, Answer::Yes};
    EXPECT_FALSE(Run(1, 3));
    EXPECT_EQ(prompter.questions.back().text,
              "Build Series failed part way through, although some output files were "
              "generated.\n\nWould you like to delete these output files?");
    EXPECT_FALSE(platform::FileExists(dir.File("out/book1.exe")));
    EXPECT_EQ(project.variables[0].value, "original");
    EXPECT_THAT(window.calls.back(), "Close");
}

TEST_F(BuildSeriesTest, CancelStopsBeforeTheNextItem) {
    window.cancelAtStep = 2;
    prompter.answers = {Answer::Yes, Answer::No};
    EXPECT_FALSE(Run(1, 3));
    EXPECT_THAT(built, ElementsAre("book1.exe=1"));
    EXPECT_THAT(prompter.questions.back().text, HasSubstr("Build Series was cancelled part way"));
    EXPECT_TRUE(platform::FileExists(dir.File("out/book1.exe")));  // the author said No
}

TEST_F(BuildSeriesTest, NothingBuiltGivesItsOwnMessage) {
    window.cancelAtStep = 1;
    EXPECT_FALSE(Run(1, 3));
    EXPECT_THAT(prompter.messages.back(),
                "Build Series was cancelled, no output files were built.");
    failAt = 1;
    window = FakeSeriesWindow{};
    prompter.answers = {Answer::Yes};
    EXPECT_FALSE(Run(1, 3));
    EXPECT_THAT(prompter.messages.back(), "Build Series failed, no output files were built.");
}

TEST_F(BuildSeriesTest, RefusedBeforeAnythingIsBuilt) {
    prompter.answers = {Answer::No};
    EXPECT_FALSE(Run(1, 3));
    EXPECT_TRUE(built.empty());
    EXPECT_TRUE(window.calls.empty());

    project.outputExe = dir.Write("out/book.com", "x");
    EXPECT_FALSE(Run(1, 3));
    EXPECT_EQ(prompter.messages.back(), project.outputExe + " does not end in .EXE");

    project.outputExe = dir.File("out/missing.exe");
    EXPECT_FALSE(Run(1, 3));
    EXPECT_EQ(prompter.messages.back(), "Output E-Book EXE could not be found.");
    EXPECT_TRUE(built.empty());
}

TEST_F(BuildSeriesTest, ChoicesAreTheNumberableVariables) {
    Variable longText;
    longText.name = "Long";
    longText.kind = 2;
    Variable text;
    text.name = "Text";
    text.kind = 1;
    project.variables = {longText, text, project.variables[0]};
    EXPECT_THAT(SeriesVariableChoices(project), ElementsAre("Text", "Number"));
}

}  // namespace
}  // namespace nbx
