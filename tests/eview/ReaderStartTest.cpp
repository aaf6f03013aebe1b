// The reader's start: the splash screen for at least the book's delay, then the window, the
// start-up message and the "On Start" question.

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

#include "ReaderFixture.h"
#include "eview/ReaderStart.h"

namespace nbx::test {
namespace {

class ReaderStartTest : public ReaderFixture {};

TEST_F(ReaderStartTest, SplashThenWindowThenMessageThenOnStart) {
    splash = {kProgramDir + "/splash16.bmp", 400, 1};
    settings.startupMessage = "Welcome aboard!";
    settings.onStart = "##RUN('/bin/true')";
    ASSERT_TRUE(Open());
    window.reset();  // StartReader makes its own

    // What the splash screen looked like while it was up.
    bool seen = false, frameless = false, centred = false, bar = false;
    QTimer::singleShot(150, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == "splashWindow" && w->isVisible()) {
                seen = true;
                frameless = w->windowFlags().testFlag(Qt::FramelessWindowHint);
                const QPoint middle =
                    QGuiApplication::primaryScreen()->availableGeometry().center();
                centred = (w->geometry().center() - middle).manhattanLength() <= 2;
                bar = w->findChild<QProgressBar*>("splashBar") != nullptr;
            }
        }
    });
    prompter.answers = {Answer::No};
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<eview::ReaderWindow> started = eview::StartReader(book, prompter, {});
    EXPECT_GE(clock.elapsed(), 400);
    EXPECT_TRUE(seen && frameless && centred && bar) << seen << frameless << centred << bar;
    EXPECT_TRUE(started->isVisible());
    EXPECT_EQ(prompter.messages, std::vector<std::string>{"Welcome aboard!"});
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_NE(prompter.questions[0].text.find("/bin/true"), std::string::npos);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(w->objectName() == "splashWindow" && w->isVisible());
    }
}

TEST_F(ReaderStartTest, ABookWithoutSplashOrMessageOpensStraightAway) {
    ASSERT_TRUE(Open());
    window.reset();
    std::unique_ptr<eview::ReaderWindow> started = eview::StartReader(book, prompter, {});
    EXPECT_TRUE(started->isVisible());
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(prompter.questions.empty());
}

}  // namespace
}  // namespace nbx::test
