// A build runs off the window's thread: its questions are asked on the window's thread,
// modally, while the status bar shows the stage and the window takes no commands; the
// answer is remembered for the project until it is opened again. Build Series runs the
// same way with its own window.

#include <filesystem>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QThread>

#include "MainFrameFixture.h"
#include "app/dialogs/BuildSeriesDialog.h"

namespace nbx::test {
namespace {

// Records what the window looked like each time the build asked something.
class ObservingPrompter final : public Prompter {
public:
    explicit ObservingPrompter(RecordingPrompter& inner) : inner_(inner) {}
    void Show(std::string_view text, MessageIcon icon) override { inner_.Show(text, icon); }
    Answer Ask(std::string_view text, Buttons buttons, Answer defaultAnswer,
               MessageIcon icon) override {
        onWindowThread.push_back(QThread::currentThread() == qApp->thread());
        if (frame) {
            auto* stage = frame->statusBar()->findChild<QLabel*>("buildStageLabel");
            stages.push_back(stage ? stage->text().toStdString() : std::string());
            bars.push_back(frame->statusBar()->findChild<QProgressBar*>("buildProgressBar") !=
                           nullptr);
            menusEnabled.push_back(frame->menuBar()->isEnabled());
        }
        return inner_.Ask(text, buttons, defaultAnswer, icon);
    }
    void BeginBusy() override { inner_.BeginBusy(); }
    void EndBusy() override { inner_.EndBusy(); }

    app::CMainFrame* frame = nullptr;
    std::vector<bool> onWindowThread;
    std::vector<std::string> stages;
    std::vector<bool> bars;
    std::vector<bool> menusEnabled;

private:
    RecordingPrompter& inner_;
};

using BuildThreadTest = MainFrameFixture;

TEST_F(BuildThreadTest, QuestionsComeToTheWindowThreadWithProgressShown) {
    // More than 20 pages in the Table Of Contents with the pop-up list on: the build asks.
    for (int i = 0; i < 21; ++i) {
        dir.Write("src/p" + std::to_string(i) + ".htm",
                  "<title>Page " + std::to_string(i) + "</title>");
    }
    ObservingPrompter observer(prompter);
    OpenWindow(&observer);
    observer.frame = frame.get();
    const std::string question =
        "You have chosen to have a Pop-up list for the Table Of Contents button, but there are "
        "more than 20";
    prompter.answers = {Answer::Yes};
    WhenModal([&](QWidget* w) { Child<QPushButton>(w, "okButton")->click(); });
    Trigger("actionBuild");
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0].text.rfind(question, 0), 0u);
    EXPECT_EQ(observer.onWindowThread, (std::vector<bool>{true}));
    EXPECT_EQ(observer.stages, (std::vector<std::string>{"Checking files"}));
    EXPECT_EQ(observer.bars, (std::vector<bool>{true}));
    EXPECT_EQ(observer.menusEnabled, (std::vector<bool>{false}));
    EXPECT_EQ(frame->session().contentsPopupAnswer, std::optional<bool>(false));
    EXPECT_TRUE(std::filesystem::exists(dir.File("out/knots.exe")));
    EXPECT_TRUE(frame->menuBar()->isEnabled());

    // Opening the project again forgets the answer (the one a Build Series uses); Cancel
    // stops the build without a message. (The build's refresh left the project modified:
    // Don't Save.)
    prompter.answers = {Answer::No, Answer::Cancel};
    ASSERT_TRUE(frame->OpenDocument(projectPath));
    EXPECT_FALSE(frame->session().contentsPopupAnswer);
    Trigger("actionBuild");
    EXPECT_EQ(prompter.questions.size(), 3u);
    EXPECT_EQ(prompter.questions[1].text, "Save changes to knots.nxp?");
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_FALSE(frame->IsBuilding());
}

TEST_F(BuildThreadTest, BuildSeriesBuildsEveryNumber) {
    OpenWindow();
    WhenModal([&](QWidget* w) {
        ASSERT_NE(qobject_cast<app::BuildSeriesDialog*>(w), nullptr);
        Child<QLineEdit>(w, "first")->setText("3");
        Child<QLineEdit>(w, "last")->setText("4");
        static_cast<QDialog*>(w)->accept();
    });
    prompter.answers = {Answer::Yes};
    Trigger("actionBuildSeries");
    ASSERT_FALSE(prompter.messages.empty());
    EXPECT_EQ(prompter.messages.back().rfind("Build Series Successful:", 0), 0u)
        << prompter.messages.back();
    EXPECT_TRUE(std::filesystem::exists(dir.File("out/knots3.exe")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("out/knots4.exe")));
    EXPECT_EQ(frame->session().seriesRequest.first, 3);
    // The project's own output path is put back.
    EXPECT_EQ(frame->document().project().outputExe, dir.File("out/knots.exe"));
}

}  // namespace
}  // namespace nbx::test
