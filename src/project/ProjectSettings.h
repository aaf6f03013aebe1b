#pragma once
// Everything a project holds, as a plain record. Project adds the operations and the modified
// flag; the project file reader and writer and the build read these fields directly.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "project/SourceFile.h"
#include "project/Variable.h"

namespace nbx {

// Colours are 0x00BBGGRR.
enum ColourIndex {
    kColourBackground,
    kColourText,
    kColourTextBackground,
    kColourLink,
    kColourVisitedLink,
    kColourHoverLink,
    kColourCount
};

// The toolbar button flags, in their stored order.
enum ToolbarButton {
    kButtonBack,
    kButtonForward,
    kButtonStop,
    kButtonRefresh,
    kButtonHome,
    kButtonSearch,
    kButtonContents,
    kButtonCopy,
    kButtonFind,
    kButtonSize,
    kButtonPrint,
    kButtonAbout,
    kToolbarButtonCount
};

struct ProjectSettings {
    // E-book information
    std::string title;
    std::string author;
    std::string authorEmail;
    std::string authorUrl;
    std::string publisher;
    std::string copyright;
    std::string affiliateNickname;

    // Event handlers and extensions
    std::string onStart;
    std::string onExit;
    std::vector<std::string> extensions;

    // Source files and output
    std::string sourceFolder;
    std::vector<SourceFile> files;
    std::string outputExe;
    // Scan the whole tree below sourceFolder; entries are then named by their path below it.
    std::int32_t includeSubFolders = 0;

    std::vector<Variable> variables;

    // Start up
    std::string startupMessage;
    std::int32_t initialWidth = -3;
    std::int32_t initialHeight = -3;
    std::int32_t initialPosition = 0;
    std::string splashBitmap;
    std::int32_t splashPercentageBar = 1;
    std::int32_t splashExtraDelay = 0;

    // User interface
    std::int32_t autoOpenLinksInNewWindow = 1;
    std::int32_t menuShown = 1;
    std::int32_t nextPreviousLoop = 0;
    std::int32_t popupMenu = 1;
    std::int32_t scrollbarsHidden = 0;
    std::int32_t statusBarHideDestinations = 0;
    std::int32_t statusBarInitially = 1;
    std::int32_t statusBarToggle = 1;
    std::int32_t toolbarInitially = 1;
    std::int32_t toolbarToggle = 1;
    std::int32_t toolbarLabels = 1;
    std::int32_t contentsPopupList = 1;
    std::int32_t previousButton = 1;
    std::int32_t nextButton = 1;
    std::int32_t exitButton = 0;
    std::int32_t tooltipBalloon = 1;
    std::int32_t tooltipShort = 0;
    std::int32_t tooltipShowDestinations = 1;
    std::int32_t windowResizable = 1;
    std::int32_t windowResizableCopyA = 1;  // always equal to windowResizable
    std::int32_t windowResizableCopyB = 1;  // always equal to windowResizable
    std::int32_t alwaysOnTop = 0;
    std::array<std::int32_t, kToolbarButtonCount> toolbarButtons{1, 1, 1, 1, 1, 1,
                                                                 1, 1, 0, 0, 1, 1};
    std::int32_t toolbarPosition = 0;  // 0 Top, 1 Left, 2 Right, 3 Bottom
    std::string language = "English";

    // System pages
    std::int32_t aboutPage = 0;  // a SystemPageKind
    std::string aboutFile;
    std::int32_t contentsPage = 0;  // a SystemPageKind
    std::string contentsFile;
    std::int32_t contentsDescriptions = 1;
    std::int32_t searchShowMatch = 1;
    std::int32_t searchDescriptions = 1;
    std::array<std::uint32_t, kColourCount> colors{0x00CCFFFF, 0x00000000, 0x00FFFFFF,
                                                   0x00993300, 0x00993300, 0x000000FF};

    // Icon
    std::int32_t installOption = 0;
    std::string iconFile;

    // Output and Rebrander
    std::int32_t buildRebrander = 0;
    std::string rebranderExe;
    std::string rebranderTitle;
    std::string rebranderStartMessage;
    std::string rebranderEndMessage;
    std::int32_t rebranderOption = 1;

    bool operator==(const ProjectSettings&) const = default;
};

// Calls visit(path) for every path a project file holds: the source folder, the outputs, the
// splash and icon files, each source file and each include variable's file.
template <class Visit>
void ForEachStoredPath(ProjectSettings& p, Visit&& visit) {
    for (std::string* path :
         {&p.sourceFolder, &p.outputExe, &p.rebranderExe, &p.splashBitmap, &p.iconFile}) {
        visit(*path);
    }
    for (SourceFile& f : p.files) {
        visit(f.path);
    }
    for (Variable& v : p.variables) {
        if (IsIncludeKind(v.kind)) {
            visit(v.value);
        }
    }
}

}  // namespace nbx
