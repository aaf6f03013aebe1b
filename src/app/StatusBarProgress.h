#pragma once
// A build's progress in the main window's status bar: the stage text in the message pane,
// a bar of at most 200 pixels right of the text, and the wait cursor, until the build ends.

#include <QString>

#include "compile/BuildProgress.h"

class QLabel;
class QProgressBar;
class QStatusBar;

namespace nbx::app {

class StatusBarProgress final : public BuildProgress {
public:
    explicit StatusBarProgress(QStatusBar* bar) : statusBar_(bar) {}
    ~StatusBarProgress() override { EndProgress(); }

    void ReportStage(std::string_view text, int percent) override;
    void EndProgress() override;

private:
    QStatusBar* statusBar_;
    QLabel* text_ = nullptr;
    QProgressBar* bar_ = nullptr;
    bool shown_ = false;
};

}  // namespace nbx::app
