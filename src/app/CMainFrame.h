#pragma once
// The compiler's main window: menus, toolbar and status bar around the tabbed
// view, and the commands, each a thin call into the core. It owns the one open
// document and what the builds remember until the program ends (the pop-up
// answer, the series choices); it loads the configured extensions before its
// bars are made and unloads them when it goes.

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/CTamselView.h"
#include "appmodel/RecentFileList.h"
#include "compile/BuildSession.h"
#include "compile/ErrorReport.h"
#include "project/CTamselDoc.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace nbx {
class ExtensionRegistry;
class Prompter;
}  // namespace nbx

namespace nbx::app {

class ProgressWindow;
class StatusBarProgress;

// What the window asks through file and folder dialogs; tests replace them.
// Each returns an empty path when the person cancelled.
struct FrameDialogs {
    std::function<std::string(const std::string& start)> openProject;
    std::function<std::string(const std::string& start)> saveProjectAs;
    std::function<std::string()> outputFile;  // "Output File", before a build
    std::function<std::string(const std::string& start)> scanFolder;
};

class CMainFrame final : public QMainWindow {
    Q_OBJECT
public:
    // prompter: where messages and questions go (null: message boxes over this
    // window). The save question uses it too, with Yes for Save and No for Don't
    // Save.
    explicit CMainFrame(Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CTamselDoc& document() { return document_; }
    CTamselView* view() const { return view_; }
    const RecentFileList& recentFiles() const { return recent_; }
    BuildSession& session() { return session_; }
    FrameDialogs dialogs;

    // File commands. Each of New and Open first asks to save a modified project;
    // false when the person cancelled or the command failed.
    bool NewDocument();
    bool OpenDocument(const std::string& path);
    bool Save();
    bool SaveAs();
    // True when the project may be closed: not modified, saved, or not to be
    // saved.
    bool SaveModified();

    // The context menu of the Files or Nimbrel Variables list for its selected
    // row; null without one. The caller owns it.
    std::unique_ptr<QMenu> ContextMenu(MainTab tab);

    QAction* Action(const char* objectName) const;
    bool IsBuilding() const { return building_; }
    // Asks the running build to stop: a single build at its next stage, a Build
    // Series before its next item.
    void StopBuild();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Menus, toolbar and status bar (CMainFrameMenus.cpp): one row of kActionRows
    // per command, separator or submenu, in menu order.
    struct ActionRow;
    // When a command may be chosen. No command but the view's runs during a
    // build.
    enum class EnabledWhen { Idle, Always, Refresh, FileRow, HtmlFile, AllFiles, Variable, Item };
    // Where a row goes: the menu bar, a menu, or only the window (its keys and
    // the toolbar).
    enum class MenuPlace {
        Bar,
        File,
        Edit,
        ThisFile,
        AllFiles,
        Variables,
        View,
        Build,
        Help,
        Window
    };
    enum class RowKind {
        Command,
        Separator,
        Menu,         // opens the menu of the row's `opens`
        RecentFiles,  // the recent-file entries with the separator before them
        Tab,          // a View entry that shows the row's `tab`
        StatusBarToggle,
        ToolbarToggle,
    };
    static const ActionRow kActionRows[];
    void CreateActions();
    QAction* MakeAction(const ActionRow& row);
    void AddRecentFileActions(QMenu* menu);
    void UpdateRecentFileMenu();
    void UpdateTitle();
    // The document's path goes first in the recent-file list and into the title;
    // true.
    bool RememberDocumentPath();
    void AfterDocumentChanged();
    void UpdateCommandStates();
    void Run(const std::function<void()>& command);
    // The tab left of or right of the current one, round the ends.
    void StepTab(int step);

    // Edit commands and double clicks.
    void EditSettings(MainTab tab, int systemPage = 0);
    void RowActivated(MainTab tab);
    void ShowContextMenu(MainTab tab, const QPoint& globalPosition);

    // Files tab.
    std::optional<std::size_t> SelectedFile() const;
    bool ChooseAndScanFolder();
    void ScanFolder();
    void RefreshFiles();
    void FileProperties();
    void FileCommand(const std::function<bool(Project&, std::size_t)>& command);
    void AllFiles(int command);
    void OrderByLinks();

    // Nimbrel Variables tab.
    std::optional<std::size_t> SelectedVariable() const;
    void AddVariables();
    void DeleteVariable();
    void VariableProperties();
    void VariableMove(bool (*move)(Project&, std::size_t, Prompter&));

    // The item commands of the toolbar: the Files or the Nimbrel Variables list.
    void ItemProperties();
    void ItemMove(int direction);

    // Build menu.
    void BuildCommand(bool run);
    void BuildSeriesCommand();
    // Runs work off the window's thread while the status bar shows its progress;
    // the view stays readable, and only the view commands and Cancel are taken
    // meanwhile. False when the build failed or the window is to close once it
    // has stopped.
    bool RunBuild(const std::function<bool(BuildUi&)>& work, ProgressWindow* series = nullptr);

    // Help menu.
    void HelpUserGuide();
    void OpenSitePage(const char* page);

    Prompter& prompter() const { return *prompter_; }
    Prompter& savePrompter() const { return *savePrompter_; }

    CTamselDoc document_;
    BuildSession session_;
    RecentFileList recent_;
    ExtensionRegistry* extensions_ = nullptr;
    std::unique_ptr<Prompter> ownPrompter_;
    std::unique_ptr<Prompter> ownSavePrompter_;
    Prompter* prompter_ = nullptr;
    Prompter* savePrompter_ = nullptr;
    CTamselView* view_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QLabel* statusMessage_ = nullptr;             // the status bar's message pane
    StatusBarProgress* buildProgress_ = nullptr;  // while a build runs
    ProgressWindow* seriesWindow_ = nullptr;      // while a series runs
    bool closeAfterBuild_ = false;
    bool stopQuestionOpen_ = false;
    QMenu* fileMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QList<QAction*> recentActions_;
    std::map<std::string, QAction*> actions_;
    std::vector<std::pair<QAction*, EnabledWhen>> enabledWhen_;
    std::vector<QAction*> tabActions_;  // the View menu's tabs, in MainTab order
    bool building_ = false;
};

}  // namespace nbx::app
