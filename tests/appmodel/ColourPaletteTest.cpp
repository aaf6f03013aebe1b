// The palette's colour grid, hit testing, placement and press/release rules.

#include <gtest/gtest.h>

#include <algorithm>

#include "appmodel/ColourPalette.h"
#include "appmodel/ProgressWindowModel.h"

namespace nbx {
namespace {

TEST(ColourPalette, GridRunsGreenThenBlueAcrossAndRedDown) {
    struct Case {
        PaletteCell cell;
        std::uint32_t colour;  // 0x00BBGGRR
    };
    const Case cases[] = {
        {{0, 0}, 0x000000}, {{5, 0}, 0xFF0000}, {{6, 0}, 0x003300},   {{17, 0}, 0xFF6600},
        {{0, 5}, 0x0000FF}, {{0, 6}, 0x009900}, {{17, 11}, 0xFFFFFF}, {{8, 7}, 0x66CC33},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PaletteColour(c.cell), c.colour) << c.cell.column << "," << c.cell.row;
    }
    // All 216 colours appear once.
    std::vector<std::uint32_t> all;
    for (int r = 0; r < kPaletteRows; ++r) {
        for (int col = 0; col < kPaletteColumns; ++col) {
            all.push_back(PaletteColour({col, r}));
        }
    }
    std::sort(all.begin(), all.end());
    EXPECT_EQ(std::unique(all.begin(), all.end()), all.end());
}

TEST(ColourPalette, HitTesting) {
    struct Case {
        int x, y;
        std::optional<PaletteCell> cell;
    };
    const Case cases[] = {
        {3, 3, PaletteCell{0, 0}},       {26, 26, PaletteCell{0, 0}}, {27, 27, PaletteCell{1, 1}},
        {434, 290, PaletteCell{17, 11}}, {435, 10, std::nullopt},     {10, 291, std::nullopt},
        {2, 10, std::nullopt},           {10, -5, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PaletteHitTest(c.x, c.y), c.cell) << c.x << "," << c.y;
    }
}

TEST(ColourPalette, PlacementKeepsClearOfTheScreenEdges) {
    struct Case {
        int bx, by, x, y;
    };
    const Case cases[] = {
        {100, 100, 100, 100},
        {1400, 100, 1440 - 484, 100},  // ends 44 pixels inside the right edge
        {100, 700, 100, 900 - 340},
        {-20, -20, 5, 5},
    };
    for (const Case& c : cases) {
        const PalettePoint at = PalettePlacement(c.bx, c.by, 1440, 900);
        EXPECT_EQ(at.x, c.x);
        EXPECT_EQ(at.y, c.y);
    }
}

TEST(ColourPalette, TextAndItsColour) {
    EXPECT_EQ(ColourText(0x00993300), "#003399");
    EXPECT_TRUE(ColourTextIsWhite(0x00006600));
    EXPECT_FALSE(ColourTextIsWhite(0x00009900));
}

TEST(ColourPalette, PressAndReleaseRules) {
    using Outcome = PaletteTracker::Outcome;
    PaletteTracker tracker;
    tracker.Press(30, 30);
    EXPECT_EQ(tracker.pressedCell(), (PaletteCell{1, 1}));
    EXPECT_EQ(tracker.Release(60, 30), Outcome::Beep);  // another cell
    EXPECT_FALSE(tracker.pressedCell());
    tracker.Press(30, 30);
    EXPECT_EQ(tracker.Release(500, 30), Outcome::Beep);  // pressed inside, released outside
    tracker.Press(500, 30);
    EXPECT_EQ(tracker.Release(30, 30), Outcome::Beep);  // pressed outside, released inside
    tracker.Press(500, 30);
    EXPECT_EQ(tracker.Release(-1, 400), Outcome::Closed);
    tracker.Press(30, 30);
    EXPECT_EQ(tracker.Release(31, 40), Outcome::Chosen);
    EXPECT_EQ(tracker.chosen(), PaletteColour({1, 1}));
    EXPECT_EQ(tracker.Release(31, 40), Outcome::KeepOpen);  // no press before it
}

TEST(ProgressWindowModel, PercentageInTheTitle) {
    ProgressWindowModel model;
    EXPECT_EQ(model.Title("Build Series"), "Build Series");
    model.SetRange(999, 1009, 1);  // a series from 1000 to 1009
    model.SetPosition(0);
    EXPECT_EQ(model.Title("Build Series"), "Build Series [0%]");
    for (int i = 0; i < 5; ++i) {
        model.StepIt();
    }
    EXPECT_EQ(model.Title("Build Series"), "Build Series [50%]");
    model.SetRange(5, 5, 1);
    model.SetPosition(5);
    EXPECT_EQ(model.Title("P"), "P [0%]");
}

}  // namespace
}  // namespace nbx
