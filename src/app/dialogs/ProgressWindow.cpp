#include "app/dialogs/ProgressWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "appmodel/CompilerProfile.h"
#include "platform/ProfileFile.h"
#include "qtcommon/QtText.h"

namespace nbx::app {

namespace {
constexpr int kTextLines = 4;
constexpr std::size_t kTextLimit = 511;
}  // namespace

ProgressWindow::ProgressWindow(QWidget* mainWindow, bool rememberPosition)
    : QWidget(mainWindow, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      mainWindow_(mainWindow),
      rememberPosition_(rememberPosition) {
    setObjectName(QStringLiteral("progressWindow"));
    setWindowTitle(ToQString(caption_));
    setCursor(Qt::BusyCursor);
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("message"));
    message_->setTextFormat(Qt::PlainText);
    message_->setWordWrap(false);
    message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    message_->setFixedHeight(QFontMetrics(message_->font()).lineSpacing() * kTextLines);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("bar"));
    bar_->setTextVisible(false);
    cancel_ = new QPushButton(QStringLiteral(" Cancel "), this);
    cancel_->setObjectName(QStringLiteral("cancel"));
    cancel_->setCursor(Qt::ArrowCursor);
    connect(cancel_, &QPushButton::clicked, this, &ProgressWindow::Cancel);

    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    row->addWidget(bar_, 1);
    row->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(10);
    layout->addWidget(message_);
    layout->addLayout(row);
    setFixedSize(390, std::max(130, layout->sizeHint().height()));
}

ProgressWindow::~ProgressWindow() {
    if (open_) {
        SavePosition();
    }
}

void ProgressWindow::Open(std::string_view caption, bool smooth) {
    caption_ = std::string(caption);
    cancelled_ = false;
    escapeSeen_ = false;
    // The bar is drawn smooth either way here; block steps would not tell more.
    (void)smooth;
    setWindowTitle(ToQString(model_.Title(caption_)));
    PlaceWindow();
    show();
    open_ = true;
}

void ProgressWindow::PlaceWindow() {
    const QScreen* screen = mainWindow_ != nullptr && mainWindow_->screen() != nullptr
                                ? mainWindow_->screen()
                                : QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
    if (rememberPosition_) {
        const int x = platform::ReadProfileInt(kCompilerProfileFile, "Settings", "X", -1000000);
        const int y = platform::ReadProfileInt(kCompilerProfileFile, "Settings", "Y", -1000000);
        if (area.contains(x, y)) {
            move(x, y);
            return;
        }
        move(area.center() - rect().center());
        return;
    }
    const QRect around = mainWindow_ != nullptr ? mainWindow_->frameGeometry() : area;
    move(around.center() - rect().center());
}

void ProgressWindow::SavePosition() {
    if (rememberPosition_) {
        platform::WriteProfileString(kCompilerProfileFile, "Settings", "X", std::to_string(x()));
        platform::WriteProfileString(kCompilerProfileFile, "Settings", "Y", std::to_string(y()));
    }
}

void ProgressWindow::SetRange(int lower, int upper, int step) {
    model_.SetRange(lower, upper, step);
    // The bar shows the steps taken, as the title does, whatever numbers the range has.
    bar_->setRange(0, upper > lower ? upper - lower : 1);
}

void ProgressWindow::SetPosition(int position) {
    model_.SetPosition(position);
    setWindowTitle(ToQString(model_.Title(caption_)));
    bar_->setValue(std::clamp(position, bar_->minimum(), bar_->maximum()));
}

void ProgressWindow::StepIt() {
    model_.StepIt();
    SetPosition(model_.position());
}

void ProgressWindow::SetText(std::string_view text) {
    message_->setText(ToQString(text.substr(0, kTextLimit)));
}

void ProgressWindow::PumpMessages(bool escapeAllowed) {
    if (cancelled_) {
        return;
    }
    QApplication::processEvents();
    if (escapeAllowed && escapeSeen_) {
        Cancel();
    }
    escapeSeen_ = false;
}

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        escapeSeen_ = true;  // acted on by the next pump, when the run allows it
        return;
    }
    QWidget::keyPressEvent(event);
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    // Closing the window from its frame is a Cancel; the run closes it itself.
    if (open_) {
        event->ignore();
        Cancel();
        return;
    }
    QWidget::closeEvent(event);
}

void ProgressWindow::Cancel() {
    cancelled_ = true;
    hide();
    if (mainWindow_ != nullptr) {
        mainWindow_->raise();
        mainWindow_->activateWindow();
    }
}

void ProgressWindow::Close() {
    if (!open_) {
        return;
    }
    SavePosition();
    open_ = false;
    hide();
}

}  // namespace nbx::app
