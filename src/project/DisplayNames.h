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

// toolbarPosition: 0 "Top", 1 "Left", 2 "Right", 3 "Bottom", anything else "Error".
inline constexpr std::int32_t kToolbarPositionCount = 4;
std::string ToolbarPositionDisplayName(std::int32_t position);

// "System Generated Page", "Disabled", "My Own Page", anything else "Error".
std::string SystemPageKindDisplayName(std::int32_t kind);

// installOption: "On the Desktop", "On the Start Menu", anything else "N/A".
std::string InstallOptionDisplayName(std::int32_t option);

}  // namespace nbx
