#pragma once
// What the "Edit Add-Ins" dialog shows and does, without the window: the two event handler
// texts, one row per run-time extension or missing extension, the buttons' states, Info and
// OK. The window only draws the rows and forwards clicks.

#include <optional>
#include <string>
#include <vector>

#include "extensions/ExtensionRegistry.h"

namespace nbx {

class Prompter;
class Project;

enum class AddInRowKind { Available, Missing };

struct AddInRow {
    AddInRowKind kind = AddInRowKind::Available;
    std::string path;    // hidden "Path" column
    std::string module;  // hidden "Module" column: the file name of the path
    std::string load;    // "Load", "" or "Error"
    std::string name;    // "Name" column
};

struct AddInButtons {
    bool add = false;
    bool remove = false;
    bool info = false;
};

class AddInsModel {
public:
    // Fills the texts (trimmed) and the rows from the project and the registry.
    AddInsModel(const Project& project, const ExtensionRegistry& registry, void* mainWindow);

    const std::vector<AddInRow>& rows() const { return rows_; }
    std::string onStart;
    std::string onExit;

    // The buttons for the selected row (no selection: all disabled).
    AddInButtons Buttons(std::optional<std::size_t> selected) const;
    void Add(std::size_t row);
    void Remove(std::size_t row);
    // A double click: toggles between "" and "Load"; "Error" rows stay as they are.
    void Toggle(std::size_t row);
    // The Info button: the extension's own information, or the compiler's box.
    void Info(std::size_t row, Prompter& prompter, void* dialogWindow) const;

    // OK: the chosen paths in row order; tells when missing extensions were dropped.
    std::vector<std::string> Accept(Prompter& prompter) const;
    // OK applied to the project: texts trimmed again, the list replaced, modified set.
    void ApplyTo(Project& project, Prompter& prompter) const;

private:
    const ExtensionRegistry& registry_;
    std::string sourceFolder_;
    std::vector<AddInRow> rows_;
};

}  // namespace nbx
