#include "project/DisplayNames.h"

namespace nbx {

std::string SizeDisplayName(std::int32_t size) {
    switch (static_cast<WindowSize>(size)) {
        case WindowSize::Maximized:
            return "Maximized";
        case WindowSize::Minimized:
            return "Minimized";
        case WindowSize::Default:
            return "Default";
        default:
            return std::to_string(size);
    }
}

std::string PositionDisplayName(std::int32_t position) {
    // From TopLeft (-8) up to TopCentered (-1).
    static const char* const kNames[] = {"Top Left",        "Left Centered", "Bottom Left",
                                         "Bottom Centered", "Bottom Right",  "Right Centered",
                                         "Top Right",       "Top Centered"};
    const std::int32_t first = StoredCode(WindowPosition::TopLeft);
    if (position >= first && position <= StoredCode(WindowPosition::TopCentered)) {
        return kNames[position - first];
    }
    return "Centered";
}

std::string ToolbarPositionDisplayName(std::int32_t position) {
    static const char* const kNames[] = {"Top", "Left", "Right", "Bottom"};
    if (position >= 0 && position < kToolbarPositionCount) {
        return kNames[position];
    }
    return "Error";
}

std::string SystemPageKindDisplayName(std::int32_t kind) {
    switch (kind) {
        case kSystemGeneratedPage:
            return "System Generated Page";
        case kSystemPageDisabled:
            return "Disabled";
        case kSystemPageOwn:
            return "My Own Page";
        default:
            return "Error";
    }
}

std::string InstallOptionDisplayName(std::int32_t option) {
    switch (static_cast<InstallOption>(option)) {
        case InstallOption::Desktop:
            return "On the Desktop";
        case InstallOption::StartMenu:
            return "On the Start Menu";
        default:
            return "N/A";
    }
}

}  // namespace nbx
