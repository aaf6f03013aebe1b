#pragma once
// The compiler window's rules that are not drawing: its tabs, its title, the cells of the
// Files and Nimbrel Variables lists, which row a rebuilt list selects again, and when the
// item, file and variable commands are enabled.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nbx {

class Project;
struct SourceFile;
struct ProjectSettings;
struct Variable;

inline constexpr std::string_view kApplicationTitle = "Nimbrel E-Book Compiler";
inline constexpr std::string_view kUntitledTitle = "Untitled";
inline constexpr std::string_view kIdleStatusText = "Ready";
inline constexpr std::string_view kProjectFileFilter = "Nimbrel E-Book Projects (*.nxp)";
inline constexpr std::string_view kProjectFileExtension = ".nxp";

// The tabs of the main view, in their order.
enum class MainTab {
    EBookInfo,
    Icon,
    StartUp,
    UserInterface,
    SystemPages,
    AddIns,
    Files,
    Variables,
    Output,
};
inline constexpr std::size_t kMainTabCount = 9;

std::string_view MainTabTitle(MainTab tab);

// The item commands (Edit Properties and the four moves of the selected item) act on the
// Files and Nimbrel Variables lists only.
bool ItemCommandsEnabled(MainTab tab);

// documentTitle + " - " + the application title.
std::string MainWindowTitle(std::string_view documentTitle);

// The question before a modified project is closed, answered Save, Don't Save or Cancel.
std::string SaveChangesQuestion(std::string_view documentTitle);

// Column titles and widths of the two lists, and the cells of one row.
struct ListColumn {
    std::string_view title;
    int width = 0;
};
const std::vector<ListColumn>& SummaryColumns();
const std::vector<ListColumn>& FileListColumns();
const std::vector<ListColumn>& VariableListColumns();
// A file's row; its name is its path below the source folder ("library/os.html") when the
// project takes in sub-folders. The title, kept as the page wrote it, is shown with its
// character references decoded ("&lt;CONFIG&gt;" as "<CONFIG>").
std::vector<std::string> FileListCells(const ProjectSettings& project, const SourceFile& file);
std::vector<std::string> VariableListCells(const Variable& variable);

// After a rebuild, the row whose first cell equals the one selected before (the last one
// when several do); nullopt when there was no selection or no such row is left.
std::optional<std::size_t> RowToReselect(const std::vector<std::string>& firstCells,
                                         const std::optional<std::string>& selectedBefore);

// Which Files commands are enabled, for the current tab and the selected row.
struct FileCommandState {
    bool refresh = false;         // Refresh Files
    bool toggleExcluded = false;  // and Edit Properties
    bool htmlCommands = false;    // the other toggles and the four moves
    bool allFiles = false;        // the four all-files commands that need files
};
FileCommandState FileCommands(const Project& project, MainTab tab,
                              std::optional<std::size_t> selected);

// Delete, Edit Properties and the moves of the variable list.
bool VariableCommandsEnabled(const Project& project, MainTab tab,
                             std::optional<std::size_t> selected);

// The text of entry `index` (from 0) of the File menu's recent-file list.
std::string RecentFileMenuText(std::size_t index, std::string_view path);

}  // namespace nbx
