// A build runs off the window's thread: its questions are asked on the window's thread,
// modally, while the status bar shows the stage, the bar and Cancel, and the window takes no
// commands but stays readable; the answer is remembered until the program ends. Build Series
// runs the same way with its own window.

#include <filesystem>
#include <functional>
#include <utility>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

#include "MainFrameFixture.h"
#include "app/dialogs/BuildSeriesDialog.h"
#include "app/dialogs/ProgressWindow.h"

namespace nbx::test {
namespace {

// Records what the window looked like each time the build asked something, and may act on
// the window first (once), as a person could while the question is shown.
class ObservingPrompter final : public Prompter {
public:
    explicit ObservingPrompter(RecordingPrompter& inner) : inner_(inner) {}
    void Show(std::string_view text, MessageIcon icon) override { inner_.Show(text, icon); }
    Answer Ask(std::string_view text, Buttons buttons, Answer defaultAnswer,
               MessageIcon icon) override {
        onWindowThread.push_back(QThread::currentThread() == qApp->thread());
        if (frame && frame->IsBuilding()) {
            auto* stage = frame->statusBar()->findChild<QLabel*>("statusMessage");
            auto* bar = frame->statusBar()->findChild<QProgressBar*>("buildProgressBar");
            auto* cancel = frame->statusBar()->findChild<QPushButton*>("buildCancelButton");
            // What a person sees: the widgets shown, not merely made.
            stages.push_back(stage && stage->isVisible() ? stage->text().toStdString() : "");
            bars.push_back(bar && bar->isVisible() ? bar->value() : -1);
            cancels.push_back(cancel && cancel->isVisible() && cancel->isEnabled());
            buildEnabled.push_back(frame->Action("actionBuild")->isEnabled());
            viewEnabled.push_back(frame->view()->isEnabled());
            statusPicture = frame->statusBar()->grab();
        }
        if (auto act = std::exchange(onAsk, {})) {
            act();
        }
        return inner_.Ask(text, buttons, defaultAnswer, icon);
    }
    void BeginBusy() override { inner_.BeginBusy(); }
    void EndBusy() override { inner_.EndBusy(); }

    app::CMainFrame* frame = nullptr;
    std::function<void()> onAsk;
    std::vector<bool> onWindowThread;
    std::vector<std::string> stages;
    std::vector<int> bars;
    std::vector<bool> cancels;
    std::vector<bool> buildEnabled;
    std::vector<bool> viewEnabled;
    QPixmap statusPicture;

private:
    RecordingPrompter& inner_;
};

// The status bar's picture holds drawn text where the stage label is: not all one colour.
bool HoldsDrawing(const QPixmap& picture, const QRect& area) {
    const QImage image = picture.toImage();
    const QRect inside = area.intersected(image.rect());
    if (inside.isEmpty()) {
        return false;
    }
    const QRgb first = image.pixel(inside.topLeft());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (image.pixel(x, y) != first) {
                return true;
            }
        }
    }
    return false;
}

class BuildThreadTest : public MainFrameFixture {
protected:
    // More than 20 pages in the Table Of Contents with the pop-up list on: the build asks.
    void AddPagesForTheQuestion() {
        for (int i = 0; i < 21; ++i) {
            dir.Write("src/p" + std::to_string(i) + ".htm",
                      "<title>Page " + std::to_string(i) + "</title>");
        }
    }
    static constexpr const char* kQuestion =
        "You have chosen to have a Pop-up list for the Table Of Contents button, but there are "
        "more than 20";
};

TEST_F(BuildThreadTest, QuestionsComeToTheWindowThreadWithProgressShown) {
    AddPagesForTheQuestion();
    ObservingPrompter observer(prompter);
    OpenWindow(&observer);
    observer.frame = frame.get();
    prompter.answers = {Answer::Yes};
    WhenModal([&](QWidget* w) { Child<QPushButton>(w, "okButton")->click(); });
    Trigger("actionBuild");
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0].text.rfind(kQuestion, 0), 0u);
    EXPECT_EQ(observer.onWindowThread, (std::vector<bool>{true}));
    // The stage and the bar are on show, with Cancel; the commands are off, the view is not.
    EXPECT_EQ(observer.stages, (std::vector<std::string>{"Checking files"}));
    EXPECT_EQ(observer.bars, (std::vector<int>{5}));
    EXPECT_EQ(observer.cancels, (std::vector<bool>{true}));
    EXPECT_EQ(observer.buildEnabled, (std::vector<bool>{false}));
    EXPECT_EQ(observer.viewEnabled, (std::vector<bool>{true}));
    auto* label = frame->statusBar()->findChild<QLabel*>("statusMessage");
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(HoldsDrawing(observer.statusPicture, label->geometry()));
    ASSERT_TRUE(QDir().mkpath(NBX_SCREENSHOT_DIR));
    observer.statusPicture.save(QDir(NBX_SCREENSHOT_DIR).filePath("tamsel-build-status.png"));

    EXPECT_EQ(frame->session().contentsPopupAnswer, std::optional<bool>(false));
    EXPECT_TRUE(std::filesystem::exists(dir.File("out/knots.exe")));
    EXPECT_TRUE(frame->Action("actionBuild")->isEnabled());
    EXPECT_EQ(label->text().toStdString(), "Ready");
    EXPECT_EQ(frame->statusBar()->findChild<QWidget*>("buildCancelButton"), nullptr);

    // The answer is remembered until the program ends, across Open and New; Cancel stops the
    // build without a message. (The build's refresh left the project modified: Don't Save.)
    prompter.answers = {Answer::No, Answer::Cancel};
    ASSERT_TRUE(frame->OpenDocument(projectPath));
    EXPECT_EQ(frame->session().contentsPopupAnswer, std::optional<bool>(false));
    Trigger("actionBuild");
    EXPECT_EQ(prompter.questions.size(), 3u);
    EXPECT_EQ(prompter.questions[1].text, "Save changes to knots.nxp?");
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_FALSE(frame->IsBuilding());
    ASSERT_TRUE(frame->NewDocument());
    EXPECT_EQ(frame->session().contentsPopupAnswer, std::optional<bool>(false));
}

// The status bar's Cancel stops a single build at its next stage, silently; the previous
// e-book stays.
TEST_F(BuildThreadTest, CancelStopsASingleBuild) {
    dir.Write("out/knots.exe", "the previous book");
    AddPagesForTheQuestion();
    ObservingPrompter observer(prompter);
    OpenWindow(&observer);
    observer.frame = frame.get();
    observer.onAsk = [&] {
        frame->statusBar()->findChild<QPushButton*>("buildCancelButton")->click();
    };
    prompter.answers = {Answer::Yes};
    Trigger("actionBuild");
    EXPECT_EQ(prompter.questions.size(), 1u);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(unexpectedDialogs, 0);  // no Build Successful
    EXPECT_EQ(ReadWholeFile(dir.File("out/knots.exe")), "the previous book");
    EXPECT_FALSE(frame->IsBuilding());
    EXPECT_TRUE(frame->Action("actionBuild")->isEnabled());
}

// The close button during a build asks whether to stop it; Yes stops the build and closes the
// window once it has stopped (after the usual question about a changed project).
TEST_F(BuildThreadTest, CloseDuringABuildAsksAndClosesOnceStopped) {
    AddPagesForTheQuestion();
    ObservingPrompter observer(prompter);
    OpenWindow(&observer);
    observer.frame = frame.get();
    observer.onAsk = [&] { frame->close(); };
    // The stop question (asked first, inside the pop-up question), the pop-up question, the
    // save question.
    prompter.answers = {Answer::Yes, Answer::Yes, Answer::No};
    Trigger("actionBuild");
    QApplication::processEvents();
    ASSERT_EQ(prompter.questions.size(), 3u);
    EXPECT_EQ(prompter.questions[0].text,
              "A build is running.\n\nDo you want to stop it and close Nimbrel E-Book Compiler?");
    EXPECT_EQ(prompter.questions[0].defaultAnswer, Answer::No);
    EXPECT_EQ(prompter.questions[2].text, "Save changes to knots.nxp?");
    EXPECT_FALSE(frame->isVisible());
    EXPECT_FALSE(std::filesystem::exists(dir.File("out/knots.exe")));
    EXPECT_EQ(unexpectedDialogs, 0);

    // No keeps the build going and the window open.
    prompter.questions.clear();
    frame->show();
    observer.onAsk = [&] { frame->close(); };
    prompter.answers = {Answer::No, Answer::Yes};
    WhenModal([&](QWidget* w) { Child<QPushButton>(w, "okButton")->click(); });
    Trigger("actionBuild");
    QApplication::processEvents();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(std::filesystem::exists(dir.File("out/knots.exe")));
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

    // The choices are offered again until the program ends, after Open too.
    prompter.answers = {Answer::No};  // Don't Save, should the refresh have changed the project
    ASSERT_TRUE(frame->OpenDocument(projectPath));
    std::pair<std::string, std::string> offered;
    WhenModal([&](QWidget* w) {
        offered = {Child<QLineEdit>(w, "first")->text().toStdString(),
                   Child<QLineEdit>(w, "last")->text().toStdString()};
        static_cast<QDialog*>(w)->reject();
    });
    Trigger("actionBuildSeries");
    EXPECT_EQ(offered, (std::pair<std::string, std::string>{"3", "4"}));
}

// The status bar's Cancel during a Build Series cancels the series as its own window's Cancel
// does: the item in hand is finished, the run stops before the next, and it is reported as
// cancelled, not failed.
TEST_F(BuildThreadTest, StatusBarCancelStopsASeriesBetweenItems) {
    OpenWindow();
    WhenModal([&](QWidget* w) {
        Child<QLineEdit>(w, "first")->setText("1");
        Child<QLineEdit>(w, "last")->setText("60");
        static_cast<QDialog*>(w)->accept();
    });
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        auto* window = frame->findChild<app::ProgressWindow*>("progressWindow");
        auto* cancel = frame->statusBar()->findChild<QPushButton*>("buildCancelButton");
        if (window && window->isVisible() && cancel && cancel->isEnabled()) {
            cancel->click();
            clicker.stop();
        }
    });
    clicker.start(5);
    prompter.answers = {Answer::Yes, Answer::No};  // proceed; keep the books built so far
    Trigger("actionBuildSeries");
    // Cancelled before the first item or after some: either way reported as cancelled.
    const std::string result = prompter.questions.size() == 2u ? prompter.questions[1].text
                               : prompter.messages.empty()     ? std::string()
                                                               : prompter.messages.back();
    EXPECT_EQ(result.rfind("Build Series was cancelled", 0), 0u) << result;
    EXPECT_FALSE(std::filesystem::exists(dir.File("out/knots60.exe")));
}

}  // namespace
}  // namespace nbx::test
