// The Build Series dialog (variables, remembered values, range checks) and the progress
// window (title percentage, message, Cancel and Escape, remembered position).

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "app/dialogs/BuildSeriesDialog.h"
#include "app/dialogs/DialogTestSupport.h"
#include "app/dialogs/ProgressWindow.h"
#include "appmodel/CompilerProfile.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

using test::Child;
using test::ClickOk;

Variable Var(const char* name, std::int32_t kind) {
    Variable v;
    v.name = name;
    v.kind = kind;
    return v;
}

// Runs RunBuildSeriesDialog with drive handling the open dialog.
std::optional<SeriesRequest> RunSeriesDialog(const Project& project, BuildSession& session,
                                             Prompter& prompter,
                                             const std::function<void(QDialog&)>& drive) {
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        drive(*dialog);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
    return app::RunBuildSeriesDialog(project, session, prompter, nullptr);
}

TEST(BuildSeriesDialogTest, OffersKindsZeroAndOneChecksAndRemembers) {
    Project project;
    project.variables = {Var("Price", 2), Var("Code", 0), Var("Serial", 1)};
    project.buildRebrander = 1;
    test::RecordingPrompter prompter;
    BuildSession session;
    session.seriesRequest = {"Serial", 1, 100, false};
    struct Case {
        const char* first;
        const char* last;
        const char* message;
        const char* focus;
    };
    const Case cases[] = {
        {"x", "10", "Please enter an integer between 0 and 999999.", "first"},
        {"1", "0", "Please enter an integer between 1 and 999999.", "last"},
        {"10", "10", "First item in series must be numbered smaller than last item.", "first"},
    };
    const auto request = RunSeriesDialog(project, session, prompter, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Build Series");
        auto* variable = Child<QComboBox>(d, "variable");
        ASSERT_EQ(variable->count(), 2);
        EXPECT_EQ(variable->itemText(0), "Code");
        EXPECT_EQ(variable->currentText(), "Serial");  // remembered
        EXPECT_EQ(Child<QLineEdit>(d, "first")->text(), "1");
        EXPECT_EQ(Child<QLineEdit>(d, "last")->text(), "100");
        EXPECT_TRUE(Child<QCheckBox>(d, "buildRebranders")->isEnabled());
        EXPECT_TRUE(Child<QCheckBox>(d, "buildRebranders")->isChecked());
        test::SaveScreenshot(d, "build_series");
        for (const Case& c : cases) {
            Child<QLineEdit>(d, "first")->setText(c.first);
            Child<QLineEdit>(d, "last")->setText(c.last);
            prompter.messages.clear();
            ClickOk(d);
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(prompter.messages, std::vector<std::string>{c.message});
            EXPECT_EQ(d.focusWidget(), Child<QWidget>(d, c.focus)) << c.message;
        }
        variable->setCurrentIndex(0);
        Child<QLineEdit>(d, "first")->setText("5");
        Child<QLineEdit>(d, "last")->setText("9");
        ClickOk(d);
    });
    ASSERT_TRUE(request);
    EXPECT_EQ(request->variable, "Code");
    EXPECT_EQ(request->first, 5);
    EXPECT_EQ(request->last, 9);
    EXPECT_TRUE(request->buildRebranders);
    EXPECT_EQ(session.seriesRequest.variable, "Code");

    // Cancel remembers nothing; without a Rebrander the box is disabled.
    project.buildRebrander = 0;
    EXPECT_FALSE(RunSeriesDialog(project, session, prompter, [](QDialog& d) {
        EXPECT_FALSE(Child<QCheckBox>(d, "buildRebranders")->isEnabled());
        Child<QLineEdit>(d, "first")->setText("7");
        test::ClickCancel(d);
    }));
    EXPECT_EQ(session.seriesRequest.first, 5);
}

TEST(BuildSeriesDialogTest, NoNumberableVariableShowsTheMessage) {
    Project project;
    project.variables = {Var("Price", 2)};
    test::RecordingPrompter prompter;
    BuildSession session;
    EXPECT_FALSE(app::RunBuildSeriesDialog(project, session, prompter, nullptr));
    EXPECT_EQ(prompter.messages, std::vector<std::string>{NoSeriesVariableMessage()});
}

TEST(ProgressWindowTest, TitleTextAndCancelByButton) {
    QWidget main;
    app::ProgressWindow window(&main);
    window.Open("Build Series", true);
    EXPECT_EQ(window.windowTitle(), "Build Series");
    window.SetRange(999, 1009, 1);
    window.StepIt();
    EXPECT_EQ(window.windowTitle(), "Build Series [10%]");
    window.SetText("Building item 1 of 10:\nbook1000.exe");
    EXPECT_EQ(Child<QLabel>(window, "message")->text(), "Building item 1 of 10:\nbook1000.exe");
    EXPECT_EQ(Child<QPushButton>(window, "cancel")->text(), " Cancel ");
    EXPECT_EQ(Child<QProgressBar>(window, "bar")->value(), 1);
    EXPECT_EQ(Child<QProgressBar>(window, "bar")->maximum(), 10);
    test::SaveScreenshot(window, "progress_window");
    EXPECT_FALSE(window.Cancelled());
    Child<QPushButton>(window, "cancel")->click();
    EXPECT_TRUE(window.Cancelled());
    EXPECT_FALSE(window.isVisible());
    window.Close();
}

TEST(ProgressWindowTest, EscapeCancelsAtThePumpThatAllowsIt) {
    app::ProgressWindow window(nullptr);
    window.Open("Build Series", true);
    QTest::keyClick(&window, Qt::Key_Escape);
    window.PumpMessages(false);
    EXPECT_FALSE(window.Cancelled());
    QTest::keyClick(&window, Qt::Key_Escape);
    window.PumpMessages(true);
    EXPECT_TRUE(window.Cancelled());
    window.Close();
}

TEST(ProgressWindowTest, EqualRangeShowsZeroAndPositionIsRemembered) {
    {
        app::ProgressWindow window(nullptr);
        window.Open("P", true);
        window.SetRange(5, 5, 1);
        window.SetPosition(5);
        EXPECT_EQ(window.windowTitle(), "P [0%]");
        window.move(40, 50);
        window.Close();
    }
    EXPECT_EQ(platform::ReadProfileInt(kCompilerProfileFile, "Settings", "X", -1), 40);
    EXPECT_EQ(platform::ReadProfileInt(kCompilerProfileFile, "Settings", "Y", -1), 50);
    app::ProgressWindow again(nullptr);
    again.Open("P", true);
    EXPECT_EQ(again.pos(), QPoint(40, 50));
    again.Close();
}

TEST(ProgressWindowTest, ARememberedPlaceOffTheScreenCentresTheWindow) {
    platform::WriteProfileString(kCompilerProfileFile, "Settings", "X", "-5000");
    platform::WriteProfileString(kCompilerProfileFile, "Settings", "Y", "40");
    app::ProgressWindow window(nullptr);
    window.Open("P", true);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window.pos(), screen.center() - window.rect().center());
    window.Close();
}

// A real series run in the window: Escape pressed while item 2 builds ends the run before
// item 3, and the question about the files built so far follows.
TEST(ProgressWindowTest, EscapeDuringASeriesRunStopsItBeforeTheNextItem) {
    test::TempDir dir;
    Project project;
    project.outputExe = dir.Write("out/book.exe", "book");
    project.variables = {Var("Number", 0)};
    QWidget main;
    app::ProgressWindow window(&main, false);
    std::vector<std::string> built;
    std::vector<QString> titles;
    SeriesBuilders builders;
    builders.clock = [] { return std::int64_t{1700000000}; };
    builders.buildEBook = [&](Project& p, BuildUi&, std::int64_t, bool) {
        built.push_back(platform::FileNameOfPath(p.outputExe));
        titles.push_back(window.windowTitle());
        dir.Write("out/" + built.back(), "book");
        if (built.size() == 2) {
            QTest::keyClick(&window, Qt::Key_Escape);
        }
        return true;
    };
    test::RecordingPrompter prompter;
    prompter.answers = {Answer::Yes, Answer::No};  // go ahead; keep the files
    NullBuildProgress progress;
    BuildUi ui{prompter, progress, &window};
    EXPECT_FALSE(RunSeries(project, ui, 1000, {"Number", 11, 14, false}, builders));
    EXPECT_EQ(built, (std::vector<std::string>{"book11.exe", "book12.exe"}));
    EXPECT_EQ(titles, (std::vector<QString>{"Build Series [25%]", "Build Series [50%]"}));
    EXPECT_FALSE(window.isVisible());
    ASSERT_EQ(prompter.questions.size(), 2u);
    EXPECT_EQ(prompter.questions[1].text.rfind("Build Series was cancelled part way through", 0),
              0u);
    EXPECT_EQ(project.outputExe, dir.File("out/book.exe"));  // put back
}

}  // namespace
}  // namespace nbx
