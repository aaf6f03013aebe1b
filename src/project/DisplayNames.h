#pragma once
// How numeric settings are shown in summaries and dialogs.

#include <cstdint>
#include <string>

namespace nbx {

enum SystemPageKind : std::int32_t {
    kSystemGeneratedPage = 0,
    kSystemPageDisabled = 1,
    kSystemPageOwn = 2,
};

// initialWidth / initialHeight: "Maximized", "Minimized", "Default" or the pixel count.
std::string SizeDisplayName(std::int32_t size);

// initialPosition: "Top Left" ... "Top Centered", anything else "Centered".
std::string PositionDisplayName(std::int32_t position);

// "System Generated Page", "Disabled", "My Own Page", anything else "Error".
std::string SystemPageKindDisplayName(std::int32_t kind);

// installOption: "On the Desktop", "On the Start Menu", anything else "N/A".
std::string InstallOptionDisplayName(std::int32_t option);

// toolbarPosition: "Top", "Left", "Right", "Bottom", anything else "Error".
std::string ToolbarPositionDisplayName(std::int32_t position);

// splashExtraDelay in milliseconds: "%d.%d secs" of d / 1000 and (d / 100) mod 10.
std::string DelayDisplayName(std::int32_t milliseconds);

}  // namespace nbx
