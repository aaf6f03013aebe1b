#pragma once
// The splash screen: the book's splash picture, centred and without a frame, with a
// percentage bar under it when the book asks for one.

#include <QWidget>

class QProgressBar;

namespace nbx::eview {

class SplashWindow : public QWidget {
    Q_OBJECT

public:
    SplashWindow(const QPixmap& picture, bool percentageBar);

    void setPercent(int percent);
    // nullptr when the book asked for no bar.
    QProgressBar* bar() const { return bar_; }

private:
    QProgressBar* bar_ = nullptr;
};

}  // namespace nbx::eview
