#pragma once
// The colour button of the Colors page and its pop-up palette. The button shows its colour
// as a swatch with the "#RRGGBB" text and a drop-down arrow; pressing it opens the palette, a
// pop-up that takes the mouse and the keyboard from the dialog under it until a colour is
// chosen or the palette is closed. The grid and press/release rules are ColourPalette's.

#include <QPushButton>
#include <QWidget>
#include <cstdint>

#include "appmodel/ColourPalette.h"

namespace nbx::app {

class ColourPaletteWindow final : public QWidget {
    Q_OBJECT

public:
    explicit ColourPaletteWindow(QWidget* parent = nullptr);
    const PaletteTracker& tracker() const { return tracker_; }

signals:
    void chosen(std::uint32_t colour);
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    PaletteTracker tracker_;
};

class ColourButton final : public QPushButton {
    Q_OBJECT

public:
    explicit ColourButton(std::uint32_t colour, QWidget* parent = nullptr);
    std::uint32_t colour() const { return colour_; }
    void setColour(std::uint32_t colour);

    // Opens the palette and waits until it closes; the dialog under it takes no input for
    // that time.
    void RunPalette();
    // The open palette, or null.
    ColourPaletteWindow* palette() const { return palette_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint32_t colour_;
    ColourPaletteWindow* palette_ = nullptr;
};

}  // namespace nbx::app
