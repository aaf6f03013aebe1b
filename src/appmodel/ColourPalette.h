#pragma once
// The colour button's pop-up palette without the window: its 216-colour grid, hit testing,
// placement on the screen, and what a press and a release do. Colours are 0x00BBGGRR.

#include <cstdint>
#include <optional>
#include <string>

namespace nbx {

inline constexpr int kPaletteWidth = 440;
inline constexpr int kPaletteHeight = 296;
inline constexpr int kPaletteColumns = 18;
inline constexpr int kPaletteRows = 12;
inline constexpr int kPaletteCell = 24;
inline constexpr int kPaletteMargin = 5;  // the grid's offset from the window's corner
inline constexpr int kPaletteInset = 2;   // each colour inside its cell

struct PaletteCell {
    int column = 0;  // 0-17
    int row = 0;     // 0-11
    bool operator==(const PaletteCell&) const = default;
};

// The colour of a cell: rows 0-5 red steps 0-5 with green steps 0-2, rows 6-11 the same reds
// with green steps 3-5; each column runs green (three steps) then blue (six steps).
std::uint32_t PaletteColour(PaletteCell cell);

// The cell a point of the window falls in: column (x - 3) / 24, row (y - 3) / 24; nothing
// outside the 18 x 12 grid.
std::optional<PaletteCell> PaletteHitTest(int x, int y);

// Where the palette opens for a button at (buttonX, buttonY) on a screen of the given size.
struct PalettePoint {
    int x = 0;
    int y = 0;
};
PalettePoint PalettePlacement(int buttonX, int buttonY, int screenWidth, int screenHeight);

// "#RRGGBB".
std::string ColourText(std::uint32_t colour);
// The swatch text is white when green is 102 or less, black otherwise.
bool ColourTextIsWhite(std::uint32_t colour);

// The press and release rules of the open palette.
class PaletteTracker {
public:
    enum class Outcome { KeepOpen, Chosen, Closed, Beep };

    // A press outlines the cell under it (none outside the grid).
    void Press(int x, int y);
    // Releasing over the pressed cell chooses its colour; a press and release both outside
    // the grid close without a change; anything else beeps, clears the pressed cell and keeps
    // the palette open.
    Outcome Release(int x, int y);

    const std::optional<PaletteCell>& pressedCell() const { return pressed_; }
    // The colour chosen by the last Release that answered Chosen.
    std::uint32_t chosen() const { return chosen_; }

private:
    bool down_ = false;
    std::optional<PaletteCell> pressed_;
    std::uint32_t chosen_ = 0;
};

}  // namespace nbx
