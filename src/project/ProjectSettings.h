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

// The on/off settings are bool. The project file keeps each as a 32-bit word written 0 or 1;
// a stored word other than 0 reads as on, as the build and the reader always took it.
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
    bool includeSubFolders = false;

    std::vector<Variable> variables;

    // Start up
    std::string startupMessage;
    std::int32_t initialWidth = -3;  // a WindowSize code or pixels
    std::int32_t initialHeight = -3;
    std::int32_t initialPosition = 0;  // a WindowPosition
    std::string splashBitmap;
    bool splashPercentageBar = true;
    std::int32_t splashExtraDelay = 0;

    // User interface
    bool autoOpenLinksInNewWindow = true;
    bool menuShown = true;
    bool nextPreviousLoop = false;
    bool popupMenu = true;
    bool scrollbarsHidden = false;
    bool statusBarHideDestinations = false;
    bool statusBarInitially = true;
    bool statusBarToggle = true;
    bool toolbarInitially = true;
    bool toolbarToggle = true;
    bool toolbarLabels = true;
    bool contentsPopupList = true;
    bool previousButton = true;
    bool nextButton = true;
    bool exitButton = false;
    bool tooltipBalloon = true;
    bool tooltipShort = false;
    bool tooltipShowDestinations = true;
    bool windowResizable = true;
    bool windowResizableCopyA = true;  // always equal to windowResizable
    bool windowResizableCopyB = true;  // always equal to windowResizable
    bool alwaysOnTop = false;
    std::array<bool, kToolbarButtonCount> toolbarButtons{true, true, true,  true,  true, true,
                                                         true, true, false, false, true, true};
    std::int32_t toolbarPosition = 0;  // a ToolbarPosition
    std::string language = "English";

    // System pages
    std::int32_t aboutPage = 0;  // a SystemPageKind
    std::string aboutFile;
    std::int32_t contentsPage = 0;  // a SystemPageKind
    std::string contentsFile;
    bool contentsDescriptions = true;
    bool searchShowMatch = true;
    bool searchDescriptions = true;
    std::array<std::uint32_t, kColourCount> colors{0x00CCFFFF, 0x00000000, 0x00FFFFFF,
                                                   0x00993300, 0x00993300, 0x000000FF};

    // Icon
    std::int32_t installOption = 0;  // an InstallOption
    std::string iconFile;

    // Output and Rebrander
    bool buildRebrander = false;
    std::string rebranderExe;
    std::string rebranderTitle;
    std::string rebranderStartMessage;
    std::string rebranderEndMessage;
    // A Rebrander switch that no editor offers: carried into the Rebrander as stored.
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
