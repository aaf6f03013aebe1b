#include "app/StatusBarProgress.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "appmodel/MainWindowRules.h"
#include "qtcommon/QtText.h"

namespace nbx::app {

void StatusBarProgress::ReportStage(std::string_view text, int percent) {
    if (!statusBar_ || !messagePane_) {
        return;
    }
    if (!shown_) {
        shown_ = true;
        // Arrow and hourglass: the window stays readable and Cancel can be clicked.
        QApplication::setOverrideCursor(Qt::BusyCursor);
        cancel_ = new QPushButton(QStringLiteral("Cancel"), statusBar_);
        cancel_->setObjectName("buildCancelButton");
        cancel_->setCursor(Qt::ArrowCursor);
        cancel_->setFocusPolicy(Qt::NoFocus);
        cancel_->setToolTip(QStringLiteral("Stop this build"));
        QObject::connect(cancel_, &QPushButton::clicked, cancel_, [this] {
            cancel_->setEnabled(false);
            if (cancelHandler_) {
                cancelHandler_();
            } else {
                RequestCancel();
            }
        });
        statusBar_->addPermanentWidget(cancel_);
    }
    messagePane_->setText(ToQString(text));
    if (!bar_) {
        // Right of the text with two average characters between; at most 200 pixels wide,
        // none at all when fewer than 20 pixels are left.
        const QFontMetrics metrics(messagePane_->font());
        const int left =
            metrics.horizontalAdvance(messagePane_->text()) + 2 * metrics.averageCharWidth();
        const int room = statusBar_->width() - cancel_->sizeHint().width() - left;
        if (room >= 20) {
            bar_ = new QProgressBar(statusBar_);
            bar_->setObjectName("buildProgressBar");
            bar_->setRange(0, 100);
            bar_->setTextVisible(false);
            bar_->setFixedWidth(std::min(room, 200));
            bar_->setMaximumHeight(metrics.height());
            // Between the message pane and the Cancel button.
            statusBar_->removeWidget(cancel_);
            statusBar_->addPermanentWidget(bar_);
            statusBar_->addPermanentWidget(cancel_);
            cancel_->show();
        }
    }
    if (bar_) {
        bar_->setValue(std::clamp(percent, 0, 100));
    }
}

void StatusBarProgress::RequestCancel() {
    cancelRequested_ = true;
    if (cancel_) {
        cancel_->setEnabled(false);
    }
}

void StatusBarProgress::EndProgress() {
    if (!shown_) {
        return;
    }
    shown_ = false;
    delete bar_;
    bar_ = nullptr;
    delete cancel_;
    cancel_ = nullptr;
    messagePane_->setText(ToQString(kIdleStatusText));
    QApplication::restoreOverrideCursor();
}

}  // namespace nbx::app
