#pragma once
// The settings of one e-book and the operations the rest of the program uses on them.
// Every operation that changes the project sets the modified flag, except where noted.

#include <set>
#include <string>
#include <string_view>

#include "project/ProjectSettings.h"

namespace nbx {

class Prompter;

extern const char* const kDefaultRebranderStartMessage;
extern const char* const kDefaultRebranderEndMessage;

class Project : public ProjectSettings {
public:
    Project() { ResetToDefaults(); }

    // Every field takes its default; the three lists are emptied. The copyright carries the
    // year of the local clock, the nickname comes from "QUORLIN.INI", and the splash and icon
    // paths from the program folder.
    void ResetToDefaults();

    bool IsModified() const { return modified_; }
    void SetModified(bool modified = true) { modified_ = modified; }

    // True when entry `index` exists and its path is an HTML name.
    bool IsHtmlFile(std::size_t index) const;

    // Sorts the file list: HTML files first by key, title, description and path; other files
    // after them. HTML entry i then has key 1000 + i, every other entry an empty key.
    void SortFiles();

    int CountExcludedFiles() const;

    // Reorder the HTML file at `index`; a move past the edge of the HTML files shows its
    // message through `prompter` and changes nothing.
    void MoveFileUp(std::size_t index, Prompter& prompter);
    void MoveFileDown(std::size_t index, Prompter& prompter);
    void MoveFileToTop(std::size_t index);
    void MoveFileToBottom(std::size_t index);

    // Position of the first entry of `extensions` equal to path (case-sensitive), or -1.
    int FindExtension(std::string_view path) const;

    // rebranderTitle, or "Rebrand " + title when it is empty.
    std::string EffectiveRebranderTitle() const;

    // Sets both output paths at once without marking the project modified.
    void SetOutputPaths(std::string outputPath, std::string rebranderPath);

    // The paths that the project file held relative to its folder, as resolved when it was
    // opened: a save writes them (and files found later in a relative source folder)
    // relative again, so the project keeps working when its folder moves.
    std::set<std::string> pathsLoadedRelative;

    // The project file this project was opened from or last saved to, as CTamselDoc names
    // it; empty while it has none. Not stored in the file: the build refuses an output path
    // that would overwrite it.
    std::string filePath;

private:
    bool modified_ = false;
};

// True when a comes before b in the file list.
bool CompareFiles(const SourceFile& a, const SourceFile& b);

}  // namespace nbx
