// Build from the window: the book is built off the window's thread and the "Build
// Successful" dialog shows its size; a missing output path is asked for first.

#include <filesystem>

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>

#include "MainFrameFixture.h"
#include "app/BuildSuccessfulDialog.h"

namespace nbx::test {
namespace {

using BuildCommandTest = MainFrameFixture;

TEST_F(BuildCommandTest, BuildEndsInTheSuccessDialogWithTheSize) {
    OpenWindow();
    const std::string output = dir.File("out/knots.exe");
    std::string sizeText;
    bool rebranderShown = true;
    WhenModal([&](QWidget* w) {
        ASSERT_NE(qobject_cast<app::BuildSuccessfulDialog*>(w), nullptr);
        EXPECT_EQ(w->windowTitle().toStdString(), "Build Successful");
        EXPECT_EQ(Child<QLabel>(w, "bookFileName")->text().toStdString(), output);
        sizeText = Child<QLabel>(w, "bookFileSize")->text().toStdString();
        rebranderShown = Child<QGroupBox>(w, "rebranderGroup")->isVisible();
        Child<QPushButton>(w, "okButton")->click();
    });
    Trigger("actionBuild");
    EXPECT_TRUE(prompter.messages.empty()) << prompter.messages.front();
    ASSERT_TRUE(std::filesystem::exists(output));
    EXPECT_EQ(sizeText, std::to_string(std::filesystem::file_size(output)) + " bytes");
    EXPECT_FALSE(rebranderShown);
    EXPECT_GT(std::filesystem::file_size(output), 100000u);
    // The progress display is gone; the window works again.
    EXPECT_EQ(frame->statusBar()->findChild<QWidget*>("buildProgressBar"), nullptr);
    EXPECT_TRUE(frame->Action("actionBuild")->isEnabled());
    EXPECT_FALSE(frame->IsBuilding());
}

TEST_F(BuildCommandTest, AnEmptyOutputPathIsAskedForAndCancelEndsTheCommand) {
    OpenWindow();
    frame->document().project().outputExe.clear();
    int asked = 0;
    frame->dialogs.outputFile = [&] {
        ++asked;
        return std::string();
    };
    Trigger("actionBuild");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(frame->view()->CurrentTab(), MainTab::Output);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out/knots.exe")));

    const std::string chosen = dir.File("out/chosen.exe");
    frame->dialogs.outputFile = [&] { return chosen; };
    WhenModal([&](QWidget* w) { Child<QPushButton>(w, "okButton")->click(); });
    Trigger("actionBuild");
    EXPECT_TRUE(std::filesystem::exists(chosen));
    EXPECT_EQ(frame->document().project().outputExe, chosen);
    EXPECT_EQ(ListRows("summaryOutput")[1][1], chosen);
}

// The Output File dialog's overwrite question makes choosing the project file easy; the
// build then refuses it before writing anything.
TEST_F(BuildCommandTest, TheProjectFileChosenAsOutputIsRefusedAndKept) {
    OpenWindow();
    const std::string before = test::ReadWholeFile(projectPath);
    frame->document().project().outputExe.clear();
    frame->dialogs.outputFile = [&] { return projectPath; };
    Trigger("actionBuild");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].rfind("Error:\nOutput E-Book EXE is the project file.", 0), 0u)
        << prompter.messages[0];
    EXPECT_EQ(test::ReadWholeFile(projectPath), before);
}

TEST_F(BuildCommandTest, AFailedBuildReportsThroughThePrompter) {
    OpenWindow();
    std::filesystem::remove(dir.File("src/index.htm"));
    Trigger("actionBuild");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].rfind("Error:\nNo index page or index page excluded.", 0), 0u)
        << prompter.messages[0];
}

}  // namespace
}  // namespace nbx::test
