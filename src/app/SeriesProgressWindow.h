#pragma once
// The Build Series progress window: a message, a bar and " Cancel ", titled with the
// caption and the percentage done. It stays on top; the main window stays usable.

#include <QDialog>
#include <string>

#include "compile/BuildProgress.h"

class QLabel;
class QProgressBar;

namespace nbx::app {

class SeriesProgressWindow final : public QDialog, public SeriesProgress {
    Q_OBJECT
public:
    explicit SeriesProgressWindow(QWidget* parent = nullptr);

    void Open(std::string_view caption, bool smooth) override;
    void SetRange(int lower, int upper, int step) override;
    void StepIt() override;
    void SetText(std::string_view text) override;
    void PumpMessages(bool escapeAllowed) override;
    bool Cancelled() const override { return cancelled_; }
    void Close() override;

protected:
    void reject() override;

private:
    void SetPosition(int position);

    QLabel* text_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QString caption_ = "Progress";
    int lower_ = 0;
    int upper_ = 100;
    int step_ = 1;
    int position_ = 0;
    int lastPercent_ = -1;
    bool cancelled_ = false;
};

}  // namespace nbx::app
