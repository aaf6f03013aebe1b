#pragma once
// A source folder with a small book, a project with values other than the defaults that
// builds it, and the real main window over it.

#include <QApplication>
#include <QTimer>
#include <QTreeWidget>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/CMainFrame.h"
#include "support/RecordingPrompter.h"
#include "support/TempDir.h"

namespace nbx::test {

using Rows = std::vector<std::vector<std::string>>;

class MainFrameFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the project file and returns its path.
    std::string WriteProject();
    // A window over the project file, its messages going to messages (default: prompter).
    void OpenWindow(Prompter* messages = nullptr);

    QTreeWidget* List(const char* objectName) const;
    Rows ListRows(const char* objectName) const;
    void Trigger(const char* action) const;
    void Select(MainTab tab, std::size_t row) const;

    // Acts on the modal dialogs that open, in turn: each step gets the next modal widget
    // and must close it. Steps left over when the test ends fail it.
    void WhenModal(std::function<void(QWidget*)> step);

    // Runs the real tamsel on a virtual X display, driven by a shell script (keys sent with
    // xdotool): the script gets the program, the project, a log file for the program's output
    // and then extra. Its output; the test fails when xvfb-run or xdotool is missing.
    std::string DriveTamsel(const std::string& script, const std::vector<std::string>& extra = {});

    // Modal dialogs that opened while no step waited; each was closed with Cancel.
    int unexpectedDialogs = 0;

    TempDir dir;
    std::string projectPath;
    RecordingPrompter prompter;
    std::unique_ptr<app::CMainFrame> frame;

private:
    std::deque<std::function<void(QWidget*)>> steps_;
    QTimer timer_;
};

template <class T>
T* Child(QWidget* parent, const char* name) {
    T* child = parent->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
}

}  // namespace nbx::test
