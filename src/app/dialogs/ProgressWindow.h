#pragma once
// The Build Series progress window: the caption with the percentage done, a message area of
// four lines, a smooth bar and the " Cancel " button. Cancel or Escape (seen while the run
// lets the window handle input) cancels, hides the window and brings the main window to the
// front. Its position is remembered in the program's profile, section "Settings", keys "X"
// and "Y".

#include <QWidget>
#include <string>

#include "appmodel/ProgressWindowModel.h"
#include "compile/BuildProgress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace nbx::app {

class ProgressWindow final : public QWidget, public SeriesProgress {
    Q_OBJECT

public:
    // mainWindow: the owner, brought to the front on Cancel (may be null).
    explicit ProgressWindow(QWidget* mainWindow, bool rememberPosition = true);
    ~ProgressWindow() override;

    void Open(std::string_view caption, bool smooth) override;
    void SetRange(int lower, int upper, int step) override;
    void StepIt() override;
    void SetText(std::string_view text) override;
    void PumpMessages(bool escapeAllowed) override;
    bool Cancelled() const override { return cancelled_; }
    void Close() override;

    void SetPosition(int position);
    const ProgressWindowModel& model() const { return model_; }
    // What the button does: cancelled, the window hidden, the main window brought forward.
    void Cancel();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void PlaceWindow();
    void SavePosition();

    QWidget* mainWindow_;
    bool rememberPosition_;
    std::string caption_ = "Progress";
    ProgressWindowModel model_;
    QLabel* message_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    bool cancelled_ = false;
    bool escapeSeen_ = false;
    bool open_ = false;
};

}  // namespace nbx::app
