#include "app/SeriesProgressWindow.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "qtcommon/QtText.h"

namespace nbx::app {

SeriesProgressWindow::SeriesProgressWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("seriesProgressWindow");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(false);
    text_ = new QLabel(this);
    text_->setObjectName("seriesProgressText");
    text_->setTextFormat(Qt::PlainText);
    text_->setMinimumHeight(4 * fontMetrics().lineSpacing());
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    bar_ = new QProgressBar(this);
    bar_->setObjectName("seriesProgressBar");
    bar_->setTextVisible(false);
    auto* cancel = new QPushButton(" Cancel ", this);
    cancel->setObjectName("seriesCancelButton");
    connect(cancel, &QPushButton::clicked, this, &SeriesProgressWindow::reject);
    auto* row = new QHBoxLayout;
    row->addWidget(bar_, 1);
    row->addSpacing(10);
    row->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(row);
    resize(390, 130);
}

void SeriesProgressWindow::Open(std::string_view caption, bool) {
    caption_ = Q(caption);
    cancelled_ = false;
    lastPercent_ = -1;
    setWindowTitle(caption_);
    show();
}

void SeriesProgressWindow::SetRange(int lower, int upper, int step) {
    lower_ = lower;
    upper_ = upper;
    step_ = step;
    bar_->setRange(lower, upper);
}

void SeriesProgressWindow::StepIt() {
    SetPosition(position_ + step_);
}

void SeriesProgressWindow::SetPosition(int position) {
    position_ = position;
    const int percent =
        lower_ < upper_
            ? static_cast<int>(static_cast<long long>(position) * 100 / (upper_ - lower_))
            : 0;
    if (percent != lastPercent_) {
        lastPercent_ = percent;
        setWindowTitle(QString("%1 [%2%]").arg(caption_).arg(percent));
    }
    bar_->setValue(position);
}

void SeriesProgressWindow::SetText(std::string_view text) {
    text_->setText(Q(text).left(511));
}

void SeriesProgressWindow::PumpMessages(bool) {
    QCoreApplication::processEvents();
}

void SeriesProgressWindow::Close() {
    hide();
}

void SeriesProgressWindow::reject() {
    // Cancel and Escape: the window goes, the series stops at its next look.
    cancelled_ = true;
    hide();
    if (parentWidget()) {
        parentWidget()->activateWindow();
    }
}

}  // namespace nbx::app
