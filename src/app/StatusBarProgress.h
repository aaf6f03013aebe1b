#pragma once
// A build's progress in the main window's status bar: the stage text in the message pane, a
// bar of at most 200 pixels right of the text, a Cancel button, and the wait cursor over the
// window, until the build ends; then the pane shows the idle text again.

#include <QString>
#include <atomic>
#include <functional>

#include "compile/BuildProgress.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace nbx::app {

class StatusBarProgress final : public BuildProgress {
public:
    // messagePane: the status bar's permanent message label; both outlive this object.
    StatusBarProgress(QStatusBar* bar, QLabel* messagePane)
        : statusBar_(bar), messagePane_(messagePane) {}
    ~StatusBarProgress() override { EndProgress(); }

    void ReportStage(std::string_view text, int percent) override;
    void EndProgress() override;
    // Read from the build's thread; set by RequestCancel.
    bool CancelRequested() const override { return cancelRequested_; }
    void RequestCancel();
    // What the Cancel button does (RequestCancel unless the owner says otherwise: a Build
    // Series is cancelled in its own window, between items).
    void SetCancelHandler(std::function<void()> handler) { cancelHandler_ = std::move(handler); }

private:
    QStatusBar* statusBar_;
    QLabel* messagePane_;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
    bool shown_ = false;
    std::atomic<bool> cancelRequested_{false};
    std::function<void()> cancelHandler_;
};

}  // namespace nbx::app
