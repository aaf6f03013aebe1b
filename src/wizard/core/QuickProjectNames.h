#pragma once
// The names and paths a new project gets from its name and working folder, and the first
// dialog's checks of those two fields.
//
// P, the project folder, is the working folder (with a separator added when it has none at
// its end) followed by the project name; B, the base name, is the project name without
// white space, in lower case.

#include <string>
#include <string_view>

namespace nbx::wizard {

// The fields' limits in bytes of UTF-8, as the settings file holds them: a folder of at most
// kMaxFolderLength bytes is remembered and read back whole. The window and --batch count
// them alike (FitsFolderField).
inline constexpr std::size_t kMaxNameLength = 32;
inline constexpr std::size_t kMaxFolderLength = 255;

// What a built e-book's file name ends in: a program here is named without an ending.
#ifdef _WIN32
inline constexpr std::string_view kEBookEnding = ".exe";
#else
inline constexpr std::string_view kEBookEnding = "";
#endif

struct ProjectPaths {
    std::string projectFolder;     // P
    std::string baseName;          // B
    std::string projectFileName;   // B.nxp
    std::string projectFile;       // P/B.nxp
    std::string sourceFolder;      // P/source
    std::string includeFolder;     // P/include, empty for types without one
    std::string outputFolder;      // P/output
    std::string outputEBookName;   // B (B.exe on Windows)
    std::string outputEBook;       // P/output/B
    std::string splashFolder;      // P/splash
    std::string instructionsPage;  // P/readme.htm
};

// The project name without white space, lower-cased: "My Book 2" gives "mybook2".
std::string ProjectBaseName(std::string_view name);

// The working folder with "." and ".." resolved in the text and a separator at its end ("/"
// stays "/").
std::string WorkingFolderWithSeparator(std::string_view folder);

// Where "Browse..." starts: the folder text without one trailing separator ("/" stays "/").
std::string BrowseStartFolder(std::string_view folder);

ProjectPaths MakeProjectPaths(std::string_view folder, std::string_view name,
                              bool usesIncludeFolder);

// Letters, digits, underscores and spaces only, and at least one character.
bool IsValidProjectName(std::string_view name);

// Whether the folder fits the Folder field: at most kMaxFolderLength bytes.
bool FitsFolderField(std::string_view folder);
// Why a folder does not.
std::string FolderTooLongMessage();

// A folder the project can be made in: an absolute path. A path that does not begin at the
// root (a bare drive name "C:" is one here, a name relative to the current folder) and a
// network path ("//server/share") are refused.
bool IsValidWorkingFolder(std::string_view folder);

// Whether the first dialog's OK is enabled: a type is selected, and the name and the folder,
// trimmed of spaces at both ends, are not empty.
bool CanPressOk(std::string_view name, std::string_view folder, bool typeSelected);

}  // namespace nbx::wizard
