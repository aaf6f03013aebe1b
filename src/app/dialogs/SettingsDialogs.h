#pragma once
// The settings dialogs of the compiler window, one per settings area. Each runs modally over
// the main window on a copy of the project's values; OK checks the values in their fixed
// order (the first failure shows its message, focuses its field and keeps the dialog open),
// writes everything back and marks the project modified even when nothing changed; Cancel
// writes nothing.
//
// The Build Series command's windows are in BuildSeriesDialog.h (RunBuildSeriesDialog) and
// ProgressWindow.h (the SeriesProgress the series run takes).

#include <string>

class QWidget;

namespace nbx {
class CTamselDoc;
class ExtensionRegistry;
class Prompter;
}  // namespace nbx

namespace nbx::app {

enum class SettingsArea { EBookInfo, Icon, StartUp, UserInterface, SystemPages, AddIns, Output };

// What a settings dialog may need beyond the project.
struct SettingsDialogContext {
    QWidget* parent = nullptr;
    const ExtensionRegistry* extensions = nullptr;  // the loaded extensions, for Add-Ins
    int systemPage =
        0;  // System Pages: 3 Search Results, 4 Table Of Contents, 5 Colors; else About
    // Messages and questions; null: message boxes over the dialog.
    Prompter* prompter = nullptr;
    // Where the icon library ("icons") and the languages are found; empty: the folder of the
    // running program.
    std::string programFolder;
};

// True when the dialog was confirmed (the project is then modified).
bool RunSettingsDialog(SettingsArea area, CTamselDoc& document,
                       const SettingsDialogContext& context);

}  // namespace nbx::app
