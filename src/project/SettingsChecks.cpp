#include "project/SettingsChecks.h"

#include "common/AsciiText.h"
#include "platform/Paths.h"

namespace nbx {

namespace {

SettingsProblem Problem(const char* message, const char* field) {
    return {message, field};
}

}  // namespace

std::optional<SettingsProblem> CheckEBookInfo(const ProjectSettings& p) {
    if (p.title.empty()) {
        return Problem("Your E-Book must have a Title.", "title");
    }
    if (p.copyright.empty()) {
        return Problem("You must have a Copyright message.", "copyright");
    }
    if (p.author.empty()) {
        return Problem("You must have enter the Author's name.", "author");
    }
    return std::nullopt;
}

std::optional<SettingsProblem> CheckOutputSettings(const ProjectSettings& p) {
    if (p.outputExe.empty()) {
        return Problem("You have not set the Output E-Book EXE.", "outputExe");
    }
    if (!p.buildRebrander) {
        return std::nullopt;
    }
    if (p.rebranderExe.empty()) {
        return Problem("You have not set the Output Rebrander EXE.", "rebranderExe");
    }
    if (ToUpperAscii(p.outputExe) == ToUpperAscii(p.rebranderExe)) {
        return Problem(
            "The Output E-Book EXE and the Output Rebrander EXE must be set to different file "
            "names (but be in the same folder).",
            "rebranderExe");
    }
    if (ToUpperAscii(platform::FolderPartOfPath(p.outputExe)) !=
        ToUpperAscii(platform::FolderPartOfPath(p.rebranderExe))) {
        return Problem(
            "The Output E-Book EXE and the Output Rebrander EXE must be both in the same folder.",
            "rebranderExe");
    }
    if (p.rebranderTitle.empty()) {
        return Problem("You have not set the Rebrander Title.", "rebranderTitle");
    }
    if (p.rebranderStartMessage.empty()) {
        return Problem("You have not set the Rebrander Start Message.", "rebranderStartMessage");
    }
    if (p.rebranderEndMessage.empty()) {
        return Problem("You have not set the Rebrander End Message.", "rebranderEndMessage");
    }
    return std::nullopt;
}

bool IsSizeCode(std::int32_t size) {
    return size >= -3 && size <= -1;
}

std::optional<SettingsProblem> CheckStartUpSettings(const ProjectSettings& p) {
    if (!IsSizeCode(p.initialWidth)) {
        if (p.initialWidth < 100 || p.initialWidth > 2000) {
            return Problem("X size must be between 100 and 2000", "initialWidth");
        }
        if (p.initialHeight < 100 || p.initialHeight > 2000) {
            return Problem("Y size must be between 100 and 2000", "initialHeight");
        }
    }
    if (!p.splashBitmap.empty() && !platform::FileExists(p.splashBitmap)) {
        return Problem("The splash bitmap file does not exist.", "splashBitmap");
    }
    return std::nullopt;
}

}  // namespace nbx
