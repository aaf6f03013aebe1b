#include "project/DisplayNames.h"

namespace nbx {

std::string SizeDisplayName(std::int32_t size) {
    switch (size) {
        case -1:
            return "Maximized";
        case -2:
            return "Minimized";
        case -3:
            return "Default";
        default:
            return std::to_string(size);
    }
}

std::string PositionDisplayName(std::int32_t position) {
    static const char* const kNames[] = {"Top Left",        "Left Centered", "Bottom Left",
                                         "Bottom Centered", "Bottom Right",  "Right Centered",
                                         "Top Right",       "Top Centered"};
    if (position >= -8 && position <= -1) {
        return kNames[position + 8];
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
    switch (option) {
        case -1:
            return "On the Desktop";
        case -2:
            return "On the Start Menu";
        default:
            return "N/A";
    }
}

}  // namespace nbx
