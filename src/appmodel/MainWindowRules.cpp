#include "appmodel/MainWindowRules.h"

#include "project/EntryName.h"
#include "project/Project.h"
#include "reader/HtmlText.h"
#include "variables/VariableKind.h"

namespace nbx {

std::string_view MainTabTitle(MainTab tab) {
    static constexpr std::array<std::string_view, kMainTabCount> kTitles = {
        "E-Book Info", "Icon",  "Start Up",          "User Interface", "System Pages",
        "Add-Ins",     "Files", "Nimbrel Variables", "Output"};
    return kTitles[static_cast<std::size_t>(tab)];
}

bool ItemCommandsEnabled(MainTab tab) {
    return tab == MainTab::Files || tab == MainTab::Variables;
}

std::string MainWindowTitle(std::string_view documentTitle) {
    return std::string(documentTitle) + " - " + std::string(kApplicationTitle);
}

std::string SaveChangesQuestion(std::string_view documentTitle) {
    return "Save changes to " + std::string(documentTitle) + "?";
}

const std::vector<ListColumn>& SummaryColumns() {
    static const std::vector<ListColumn> kColumns = {{"Field", 150}, {"Value", 1100}};
    return kColumns;
}

const std::vector<ListColumn>& FileListColumns() {
    static const std::vector<ListColumn> kColumns = {
        {"File Name", 100}, {"Exclude", 100},   {"Title", 100},   {"Description", 100},
        {"Keywords", 100},  {"Searchable", 80}, {"Contents", 80}, {"PreProcessor", 80}};
    return kColumns;
}

const std::vector<ListColumn>& VariableListColumns() {
    static const std::vector<ListColumn> kColumns = {
        {"Variable", 150}, {"Type", 150}, {"Rebrand", 150}, {"Description", 150}, {"Value", 1100}};
    return kColumns;
}

namespace {
std::string Flag(int value, const char* text) {
    return value ? text : "";
}
}  // namespace

std::vector<std::string> FileListCells(const ProjectSettings& project, const SourceFile& f) {
    return {EntryNameOf(project, f),
            Flag(f.excluded, "Excluded"),
            reader::DecodeCharacterReferences(f.title),
            f.description,
            f.keywords,
            Flag(f.searchable, "Yes"),
            Flag(f.inContents, "Yes"),
            Flag(f.preprocess, "Yes")};
}

std::vector<std::string> VariableListCells(const Variable& v) {
    return {v.name, std::string(KindShortName(v.kind)), Flag(v.canRebrand, "Yes"), v.description,
            v.value};
}

std::optional<std::size_t> RowToReselect(const std::vector<std::string>& firstCells,
                                         const std::optional<std::string>& selectedBefore) {
    if (!selectedBefore) {
        return std::nullopt;
    }
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < firstCells.size(); ++i) {
        if (firstCells[i] == *selectedBefore) {
            found = i;
        }
    }
    return found;
}

FileCommandState FileCommands(const Project& project, MainTab tab,
                              std::optional<std::size_t> selected) {
    FileCommandState state;
    state.refresh = !project.sourceFolder.empty();
    state.allFiles = !project.files.empty();
    const bool row = tab == MainTab::Files && selected && *selected < project.files.size();
    state.toggleExcluded = row;
    state.htmlCommands = row && project.IsHtmlFile(*selected);
    return state;
}

bool VariableCommandsEnabled(const Project& project, MainTab tab,
                             std::optional<std::size_t> selected) {
    return tab == MainTab::Variables && selected && *selected < project.variables.size();
}

std::string RecentFileMenuText(std::size_t index, std::string_view path) {
    return "&" + std::to_string(index + 1) + " " + std::string(path);
}

}  // namespace nbx
