#pragma once
// The settings dialogs of the compiler window, one per settings area. Each runs modally over
// the main window on a copy of the project's values; OK checks the values in their fixed
// order (the first failure shows its message, focuses its field and keeps the dialog open),
// writes everything back and marks the project modified even when nothing changed; Cancel
// writes nothing.

class QWidget;

namespace nbx {
class CTamselDoc;
class ExtensionRegistry;
}  // namespace nbx

namespace nbx::app {

enum class SettingsArea { EBookInfo, Icon, StartUp, UserInterface, SystemPages, AddIns, Output };

// What a settings dialog may need beyond the project.
struct SettingsDialogContext {
    QWidget* parent = nullptr;
    const ExtensionRegistry* extensions = nullptr;  // the loaded extensions, for Add-Ins
    int systemPage = 0;  // System Pages: 1 About, 3 Search Results, 4 Table Of Contents; 0 first
};

// True when the dialog was confirmed (the project is then modified).
bool RunSettingsDialog(SettingsArea area, CTamselDoc& document,
                       const SettingsDialogContext& context);

}  // namespace nbx::app
