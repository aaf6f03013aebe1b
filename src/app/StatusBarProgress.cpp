#include "app/StatusBarProgress.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include "appmodel/MainWindowRules.h"
#include "qtcommon/QtText.h"

namespace nbx::app {

void StatusBarProgress::ReportStage(std::string_view text, int percent) {
    if (!statusBar_) {
        return;
    }
    if (!shown_) {
        shown_ = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        text_ = new QLabel(statusBar_);
        text_->setObjectName("buildStageLabel");
        statusBar_->addWidget(text_);
    }
    text_->setText(Q(text));
    if (!bar_) {
        // Right of the text with two average characters between; at most 200 pixels wide,
        // none at all when fewer than 20 pixels are left.
        const QFontMetrics metrics(statusBar_->font());
        const int left = metrics.horizontalAdvance(text_->text()) + 2 * metrics.averageCharWidth();
        const int room = statusBar_->width() - left;
        if (room >= 20) {
            bar_ = new QProgressBar(statusBar_);
            bar_->setObjectName("buildProgressBar");
            bar_->setRange(0, 100);
            bar_->setTextVisible(false);
            bar_->setFixedWidth(std::min(room, 200));
            bar_->setMaximumHeight(metrics.height());
            statusBar_->addWidget(bar_);
        }
    }
    if (bar_) {
        bar_->setValue(std::clamp(percent, 0, 100));
    }
    text_->repaint();
}

void StatusBarProgress::EndProgress() {
    if (!shown_) {
        return;
    }
    shown_ = false;
    if (bar_) {
        statusBar_->removeWidget(bar_);
        delete bar_;
        bar_ = nullptr;
    }
    statusBar_->removeWidget(text_);
    delete text_;
    text_ = nullptr;
    statusBar_->showMessage(Q(kIdleStatusText));
    QApplication::restoreOverrideCursor();
}

}  // namespace nbx::app
