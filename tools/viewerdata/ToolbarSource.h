#pragma once
// The text source of toolbar.tb: pixel art, one grid of characters per button.
//
//   # a comment
//   cell 24 24                 width and height of every button image, in pixels
//   colour k 202020            a palette character and its colour, RRGGBB or RRGGBBAA
//   colour . transparent
//   button Back                then `height` rows of `width` palette characters
//   ........kk..............
//   ...
//   button Forward mirror Back the image of an earlier button, flipped left to right
//
// The images are laid out left to right in the order of the buttons in the source. Every
// button of toolbar::kButtonNames must appear once.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "format/ToolbarFormat.h"

namespace nbx::datagen {

struct ToolbarImage {
    std::uint32_t cellWidth = 0;
    std::uint32_t cellHeight = 0;
    std::vector<toolbar::ToolbarButton> buttons;
    // The strip, buttons.size() cells wide, as RGBA rows.
    std::vector<std::uint8_t> rgba;
};

// Problems are appended to errors as "<where>:<line>: <what>"; true when there are none.
bool ParseToolbarSource(std::string_view text, std::string_view where, ToolbarImage& image,
                        std::vector<std::string>& errors);

}  // namespace nbx::datagen
