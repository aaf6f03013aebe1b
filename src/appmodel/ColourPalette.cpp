#include "appmodel/ColourPalette.h"

#include <algorithm>
#include <cstdio>

namespace nbx {

namespace {

constexpr std::uint32_t kStep = 0x33;
constexpr int kEdgeGap = 50;

std::uint32_t Green(std::uint32_t colour) {
    return (colour >> 8) & 0xFF;
}

}  // namespace

std::uint32_t PaletteColour(PaletteCell cell) {
    const std::uint32_t red = static_cast<std::uint32_t>(cell.row % 6) * kStep;
    const std::uint32_t green =
        static_cast<std::uint32_t>(cell.column / 6 + (cell.row >= 6 ? 3 : 0)) * kStep;
    const std::uint32_t blue = static_cast<std::uint32_t>(cell.column % 6) * kStep;
    return red | (green << 8) | (blue << 16);
}

std::optional<PaletteCell> PaletteHitTest(int x, int y) {
    // Points left of or above the grid must not round towards cell 0.
    if (x < 3 || y < 3) {
        return std::nullopt;
    }
    const int column = (x - 3) / kPaletteCell;
    const int row = (y - 3) / kPaletteCell;
    if (column >= kPaletteColumns || row >= kPaletteRows) {
        return std::nullopt;
    }
    return PaletteCell{column, row};
}

PalettePoint PalettePlacement(int buttonX, int buttonY, int screenWidth, int screenHeight) {
    PalettePoint at{buttonX, buttonY};
    if (at.x + kPaletteWidth > screenWidth - kEdgeGap) {
        at.x = screenWidth - 484;
    }
    if (at.y + kPaletteHeight > screenHeight - kEdgeGap) {
        at.y = screenHeight - 340;
    }
    at.x = std::max(at.x, 5);
    at.y = std::max(at.y, 5);
    return at;
}

std::string ColourText(std::uint32_t colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour & 0xFF, Green(colour),
                  (colour >> 16) & 0xFF);
    return text;
}

bool ColourTextIsWhite(std::uint32_t colour) {
    return Green(colour) <= 102;
}

void PaletteTracker::Press(int x, int y) {
    down_ = true;
    pressed_ = PaletteHitTest(x, y);
}

PaletteTracker::Outcome PaletteTracker::Release(int x, int y) {
    if (!down_) {
        return Outcome::KeepOpen;
    }
    down_ = false;
    const std::optional<PaletteCell> over = PaletteHitTest(x, y);
    const std::optional<PaletteCell> pressed = pressed_;
    pressed_.reset();
    if (pressed && over && *pressed == *over) {
        chosen_ = PaletteColour(*over);
        return Outcome::Chosen;
    }
    if (!pressed && !over) {
        return Outcome::Closed;
    }
    return Outcome::Beep;
}

}  // namespace nbx
