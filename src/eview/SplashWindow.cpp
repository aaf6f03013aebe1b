#include "eview/SplashWindow.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace nbx::eview {

SplashWindow::SplashWindow(const QPixmap& picture, bool percentageBar)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("splashWindow");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* image = new QLabel(this);
    image->setObjectName("splashPicture");
    image->setPixmap(picture);
    layout->addWidget(image);
    if (percentageBar) {
        bar_ = new QProgressBar(this);
        bar_->setObjectName("splashBar");
        bar_->setRange(0, 100);
        bar_->setTextVisible(false);
        bar_->setFixedHeight(10);
        layout->addWidget(bar_);
    }
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), sizeHint());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void SplashWindow::setPercent(int percent) {
    if (bar_) {
        bar_->setValue(percent);
    }
}

}  // namespace nbx::eview
