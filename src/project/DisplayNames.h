#pragma once
// The codes numeric settings store, and how they are shown in summaries and dialogs. A code
// is kept in the project as its stored number, since a file may hold one no list offers.

#include <cstdint>
#include <string>

namespace nbx {

enum SystemPageKind : std::int32_t {
    kSystemGeneratedPage = 0,
    kSystemPageDisabled = 1,
    kSystemPageOwn = 2,
};

// initialWidth / initialHeight: one of these codes, or else a size in pixels.
enum class WindowSize : std::int32_t { Custom = 0, Maximized = -1, Minimized = -2, Default = -3 };

// initialPosition: where the window opens on the screen.
enum class WindowPosition : std::int32_t {
    Centered = 0,
    TopCentered = -1,
    TopRight = -2,
    RightCentered = -3,
    BottomRight = -4,
    BottomCentered = -5,
    BottomLeft = -6,
    LeftCentered = -7,
    TopLeft = -8,
};

// toolbarPosition: the side of the window the toolbar is on.
enum class ToolbarPosition : std::int32_t { Top = 0, Left = 1, Right = 2, Bottom = 3 };
inline constexpr std::int32_t kToolbarPositionCount = 4;

// installOption: where a shortcut to the e-book is placed.
enum class InstallOption : std::int32_t { None = 0, Desktop = -1, StartMenu = -2 };

// The number a code is stored as.
template <class Code>
constexpr std::int32_t StoredCode(Code code) {
    return static_cast<std::int32_t>(code);
}

// initialWidth / initialHeight: "Maximized", "Minimized", "Default" or the pixel count.
std::string SizeDisplayName(std::int32_t size);

// initialPosition: "Top Left" ... "Top Centered", anything else "Centered".
std::string PositionDisplayName(std::int32_t position);

// toolbarPosition: "Top", "Left", "Right", "Bottom", anything else "Error".
std::string ToolbarPositionDisplayName(std::int32_t position);

// "System Generated Page", "Disabled", "My Own Page", anything else "Error".
std::string SystemPageKindDisplayName(std::int32_t kind);

// installOption: "On the Desktop", "On the Start Menu", anything else "N/A".
std::string InstallOptionDisplayName(std::int32_t option);

}  // namespace nbx
