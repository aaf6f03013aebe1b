#pragma once
// Making the project's folders and its splash picture on disk.

#include <string>
#include <vector>

#include "wizard/core/QuickProjectNames.h"

namespace nbx::wizard {

// Makes path and any missing folders above it. An empty path, the root and a folder that
// exists count as made. False when the path itself cannot be made (a parent that cannot be
// made shows up as that).
bool CreateFolderPath(const std::string& path);

// The creation test of a new project folder: P is made, a file "test.tst" is created in it
// and deleted, and P is removed again (the folders above it that were made stay). False when
// P or the file could not be made.
bool TestFolderCreation(const std::string& projectFolder);

// P, then the include folder (when the type has one), the source and the output folder.
bool CreateFolders(const ProjectPaths& paths);

enum SplashChoice : int {
    kSplashStandard = 0,
    kSplashNone = 1,
    kSplashOwnColour = 2,
    kSplashOwnBlackAndWhite = 3,
};

// The drop-down's entries, in the order of the choices.
const std::vector<std::string>& SplashChoiceNames();

struct SplashOutcome {
    bool ok = false;
    std::string bitmapPath;  // the project's splash bitmap; empty for no splash
    std::string message;     // why it failed
};

// The splash files for a choice: the standard picture in the program folder is used where it
// lies; for an own picture the splash folder is made and the template is copied to
// "mysplash.bmp" in it (never over a file that is there).
SplashOutcome PrepareSplash(int choice, const std::string& programFolder,
                            const ProjectPaths& paths);

}  // namespace nbx::wizard
