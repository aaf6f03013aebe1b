#include "app/dialogs/ColourButton.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>

#include "qtcommon/QtText.h"

namespace nbx::app {

namespace {

QColor ToQColor(std::uint32_t colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

constexpr int kArrowWidth = 20;

}  // namespace

ColourPaletteWindow::ColourPaletteWindow(QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("colourPalette"));
    // Not drawn on a pop-up; it lets tests and tools find the window by name.
    setWindowTitle(QStringLiteral("Colour Palette"));
    setFixedSize(kPaletteWidth, kPaletteHeight);
    setAttribute(Qt::WA_DeleteOnClose, false);
    // A press outside closes the palette and goes no further.
    setAttribute(Qt::WA_NoMouseReplay);
    setFocusPolicy(Qt::StrongFocus);
}

void ColourPaletteWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xC0, 0xC0, 0xC0));
    for (int row = 0; row < kPaletteRows; ++row) {
        for (int column = 0; column < kPaletteColumns; ++column) {
            const QRect cell(kPaletteMargin + column * kPaletteCell,
                             kPaletteMargin + row * kPaletteCell, kPaletteCell, kPaletteCell);
            painter.fillRect(
                cell.adjusted(kPaletteInset, kPaletteInset, -kPaletteInset, -kPaletteInset),
                ToQColor(PaletteColour({column, row})));
            if (tracker_.pressedCell() == PaletteCell{column, row}) {
                painter.setPen(QPen(Qt::black, 1));
                painter.drawRect(cell.adjusted(0, 0, -1, -1));
            }
        }
    }
}

void ColourPaletteWindow::mousePressEvent(QMouseEvent* event) {
    tracker_.Press(event->position().toPoint().x(), event->position().toPoint().y());
    update();
}

void ColourPaletteWindow::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    switch (tracker_.Release(at.x(), at.y())) {
        case PaletteTracker::Outcome::Chosen:
            emit chosen(tracker_.chosen());
            close();
            break;
        case PaletteTracker::Outcome::Closed:
            close();
            break;
        case PaletteTracker::Outcome::Beep:
            QApplication::beep();
            break;
        case PaletteTracker::Outcome::KeepOpen:
            break;
    }
    update();
}

void ColourPaletteWindow::keyPressEvent(QKeyEvent* event) {
    // Escape closes without a change, as a press and release outside the grid do.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ColourPaletteWindow::hideEvent(QHideEvent* event) {
    // However it went: a choice, Escape, or a press outside the window.
    QWidget::hideEvent(event);
    emit closed();
}

ColourButton::ColourButton(std::uint32_t colour, QWidget* parent)
    : QPushButton(parent), colour_(colour) {
    setMinimumSize(120, 26);
    // Enter in the dialog means OK even while this button has the focus (it has it again
    // after every choice), as it does beside an owner-drawn button on the desktop it comes
    // from; Space opens the palette.
    setAutoDefault(false);
    setToolTip(ToQString(ColourText(colour_)));
    connect(this, &QPushButton::clicked, this, &ColourButton::RunPalette);
}

void ColourButton::setColour(std::uint32_t colour) {
    colour_ = colour;
    setToolTip(ToQString(ColourText(colour_)));
    update();
}

void ColourButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.state &= ~QStyle::State_HasFocus;
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);

    const QRect swatch = rect().adjusted(2, 3, -(2 + 19), -3);
    painter.fillRect(swatch, ToQColor(colour_));
    const QRect arrowFrame(width() - kArrowWidth - 2, 3, kArrowWidth, height() - 6);
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = arrowFrame.adjusted(4, 4, -4, -4);
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter, this);
    painter.setPen(ColourTextIsWhite(colour_) ? Qt::white : Qt::black);
    painter.drawText(swatch, Qt::AlignCenter, ToQString(ColourText(colour_)));
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = swatch.adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void ColourButton::RunPalette() {
    if (palette_ != nullptr) {
        return;
    }
    // A pop-up of the dialog: the one window that takes input while it is open, also when
    // the dialog is modal, and it holds the mouse and the keyboard until it closes.
    ColourPaletteWindow palette(this);
    palette_ = &palette;
    const QRect screen =
        this->screen() != nullptr ? this->screen()->geometry() : QRect(0, 0, 1024, 768);
    const QPoint at = mapToGlobal(QPoint(0, 0));
    const PalettePoint place = PalettePlacement(at.x(), at.y(), screen.width(), screen.height());
    palette.move(place.x, place.y);

    QEventLoop loop;
    connect(&palette, &ColourPaletteWindow::chosen, this, &ColourButton::setColour);
    connect(&palette, &ColourPaletteWindow::closed, &loop, &QEventLoop::quit);
    palette.show();
    palette.setFocus();
    if (palette.isVisible()) {
        loop.exec();
    }
    palette_ = nullptr;
    setFocus();
}

}  // namespace nbx::app
