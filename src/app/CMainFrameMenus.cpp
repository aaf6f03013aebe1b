// The main window's menus, toolbar and status bar: a table with one row per
// command (its menu, text and keys, status-bar prompt and tool tip, what it
// does, when it may be chosen, its toolbar group), walked once when the window
// is made.

#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <array>

#include "app/AboutBox.h"
#include "app/CMainFrame.h"
#include "appmodel/MainWindowRules.h"
#include "project/FileListCommands.h"
#include "qtcommon/ProgramPictures.h"
#include "qtcommon/QtText.h"
#include "variables/VariableCommands.h"

namespace nbx::app {

namespace {

constexpr int kToolbarGroups = 5;

// "Ctrl+Up Arrow" as Qt spells it; several keys are separated by "; ".
QList<QKeySequence> KeysOf(QString keys) {
    keys.replace(QLatin1String(" Arrow"), QString());
    return QKeySequence::listFromString(keys, QKeySequence::PortableText);
}

}  // namespace

struct CMainFrame::ActionRow {
    MenuPlace place;
    RowKind kind = RowKind::Command;
    const char* name = nullptr;    // object name
    const char* text = nullptr;    // "&Text\tKeys"
    const char* prompt = nullptr;  // "status-bar prompt\ntool tip"; a Tab row's is made
    void (*command)(CMainFrame&) = nullptr;
    EnabledWhen enabled = EnabledWhen::Idle;
    int toolbarGroup = 0;  // 0: not on the toolbar
    std::optional<QStyle::StandardPixmap> styleIcon = std::nullopt;
    std::optional<ProgramPicture> picture = std::nullopt;
    // The key is only shown: the item command of the toolbar takes it.
    bool keyShownOnly = false;
    MenuPlace opens = MenuPlace::Window;
    MainTab tab = MainTab::EBookInfo;
};

const CMainFrame::ActionRow CMainFrame::kActionRows[] = {
    // File
    {.place = MenuPlace::Bar,
     .kind = RowKind::Menu,
     .name = "menuFile",
     .text = "&File",
     .opens = MenuPlace::File},
    {.place = MenuPlace::File,
     .name = "actionNew",
     .text = "&New\tCtrl+N",
     .prompt = "Create a new project\nNew",
     .command = [](CMainFrame& f) { f.NewDocument(); },
     .toolbarGroup = 1,
     .styleIcon = QStyle::SP_FileIcon},
    {.place = MenuPlace::File,
     .name = "actionOpen",
     .text = "&Open...\tCtrl+O",
     .prompt = "Open an existing project\nOpen",
     .command =
         [](CMainFrame& f) {
             const std::string path = f.dialogs.openProject(f.document_.path());
             if (!path.empty()) {
                 f.OpenDocument(path);
             }
         },
     .toolbarGroup = 1,
     .styleIcon = QStyle::SP_DialogOpenButton},
    {.place = MenuPlace::File,
     .name = "actionSave",
     .text = "&Save\tCtrl+S",
     .prompt = "Save the active project\nSave",
     .command = [](CMainFrame& f) { f.Save(); },
     .toolbarGroup = 1,
     .styleIcon = QStyle::SP_DialogSaveButton},
    {.place = MenuPlace::File,
     .name = "actionSaveAs",
     .text = "Save &As...",
     .prompt = "Save the active project with a new name\nSave As",
     .command = [](CMainFrame& f) { f.SaveAs(); }},
    {.place = MenuPlace::File, .kind = RowKind::RecentFiles},
    {.place = MenuPlace::File, .kind = RowKind::Separator},
    {.place = MenuPlace::File,
     .name = "actionExit",
     .text = "E&xit",
     .prompt = "Quit the application; prompts to save the project\nExit",
     .command = [](CMainFrame& f) { f.close(); }},

    // Edit
    {.place = MenuPlace::Bar,
     .kind = RowKind::Menu,
     .name = "menuEdit",
     .text = "&Edit",
     .opens = MenuPlace::Edit},
    {.place = MenuPlace::Edit,
     .name = "actionEditEBookInfo",
     .text = "&E-Book Info...\tCtrl+E",
     .prompt = "Edit the general E-Book Inforrmation\nEdit E-Book Info",
     .command = [](CMainFrame& f) { f.EditSettings(MainTab::EBookInfo); },
     .toolbarGroup = 2,
     .picture = ProgramPicture::EBookInfo},
    {.place = MenuPlace::Edit,
     .name = "actionEditIcon",
     .text = "&Icon...",
     .prompt = "Choose the E-Book's icon and how it is installed\nEdit Icon",
     .command = [](CMainFrame& f) { f.EditSettings(MainTab::Icon); },
     .toolbarGroup = 2,
     .picture = ProgramPicture::Icon},
    {.place = MenuPlace::Edit,
     .name = "actionEditStartUp",
     .text = "Start &Up...",
     .prompt = "Edit the start up message, window size and splash bitmap\nEdit "
               "Start Up",
     .command = [](CMainFrame& f) { f.EditSettings(MainTab::StartUp); },
     .toolbarGroup = 2,
     .picture = ProgramPicture::StartUp},
    {.place = MenuPlace::Edit,
     .name = "actionEditUserInterface",
     .text = "&User Interface...",
     .prompt = "Edit the E-Book window's toolbar, menus and language\nEdit "
               "User Interface",
     .command = [](CMainFrame& f) { f.EditSettings(MainTab::UserInterface); },
     .toolbarGroup = 2,
     .picture = ProgramPicture::UserInterface},
    {.place = MenuPlace::Edit,
     .name = "actionEditSystemPages",
     .text = "System &Pages...",
     .prompt = "Edit the About, Search Results and Table Of Contents "
               "pages\nEdit System Pages",
     .command = [](CMainFrame& f) { f.EditSettings(MainTab::SystemPages); },
     .toolbarGroup = 2,
     .picture = ProgramPicture::SystemPages},
    {.place = MenuPlace::Edit,
     .name = "actionEditAddIns",
     .text = "&Add-Ins...",
     .prompt = "Edit the event handlers and extensions\nEdit Add-Ins",
     .command = [](CMainFrame& f) { f.EditSettings(MainTab::AddIns); },
     .toolbarGroup = 2,
     .picture = ProgramPicture::AddIns},
    {.place = MenuPlace::Edit, .kind = RowKind::Separator},
    {.place = MenuPlace::Edit,
     .name = "actionScanFolder",
     .text = "S&can Folder...\tCtrl+D",
     .prompt = "Choose the folder that holds the E-Book's source files\nScan Folder",
     .command = [](CMainFrame& f) { f.ScanFolder(); },
     .toolbarGroup = 2,
     .styleIcon = QStyle::SP_DirOpenIcon},
    {.place = MenuPlace::Edit,
     .name = "actionRefreshFiles",
     .text = "Refresh Files\tF5",
     .prompt = "Refresh the list of files shown on the files tab\nRefresh Files",
     .command = [](CMainFrame& f) { f.RefreshFiles(); },
     .enabled = EnabledWhen::Refresh,
     .toolbarGroup = 2,
     .styleIcon = QStyle::SP_BrowserReload},

    {.place = MenuPlace::Edit,
     .kind = RowKind::Menu,
     .name = "menuThisFile",
     .text = "&This File",
     .opens = MenuPlace::ThisFile},
    {.place = MenuPlace::ThisFile,
     .name = "actionToggleExcluded",
     .text = "Toggle E&xcluded\tCtrl+X",
     .prompt = "Exclude this file from the E-Book, or include it again\nToggle "
               "Excluded",
     .command =
         [](CMainFrame& f) {
             f.FileCommand([](Project& p, std::size_t i) { return ToggleExcluded(p, i); });
         },
     .enabled = EnabledWhen::FileRow},
    {.place = MenuPlace::ThisFile,
     .name = "actionToggleSearchable",
     .text = "Toggle &Searchable\tCtrl+F",
     .prompt = "Make this file searchable, or not\nToggle Searchable",
     .command =
         [](CMainFrame& f) {
             f.FileCommand(
                 [&f](Project& p, std::size_t i) { return ToggleSearchable(p, i, f.prompter()); });
         },
     .enabled = EnabledWhen::HtmlFile},
    {.place = MenuPlace::ThisFile,
     .name = "actionToggleInContents",
     .text = "Toggle in &Table Of Contents\tCtrl+J",
     .prompt = "List this file in the Table Of Contents, or not\nToggle in "
               "Table Of Contents",
     .command =
         [](CMainFrame& f) {
             f.FileCommand(
                 [&f](Project& p, std::size_t i) { return ToggleInContents(p, i, f.prompter()); });
         },
     .enabled = EnabledWhen::HtmlFile},
    {.place = MenuPlace::ThisFile,
     .name = "actionTogglePreprocessor",
     .text = "Toggle PrePro&cessor\tCtrl+P",
     .prompt = "Run this file through the PreProcessor, or not\nToggle PreProcessor",
     .command =
         [](CMainFrame& f) {
             f.FileCommand(
                 [&f](Project& p, std::size_t i) { return TogglePreprocess(p, i, f.prompter()); });
         },
     .enabled = EnabledWhen::HtmlFile},
    {.place = MenuPlace::ThisFile,
     .name = "actionFileProperties",
     .text = "&Edit Properties...\tF4",
     .prompt = "Edit the properties of this file\nEdit Properties",
     .command = [](CMainFrame& f) { f.FileProperties(); },
     .enabled = EnabledWhen::FileRow,
     .keyShownOnly = true},
    {.place = MenuPlace::ThisFile,
     .name = "actionFileMoveToTop",
     .text = "Move To T&op\tCtrl+Home",
     .prompt = "Move this file to the top of the list\nMove To Top",
     .command =
         [](CMainFrame& f) {
             f.FileCommand([](Project& p, std::size_t i) {
                 p.MoveFileToTop(i);
                 return true;
             });
         },
     .enabled = EnabledWhen::HtmlFile,
     .keyShownOnly = true},
    {.place = MenuPlace::ThisFile,
     .name = "actionFileMoveUp",
     .text = "Move &Up\tCtrl+Up Arrow",
     .prompt = "Moves this file up one place\nMove Up",
     .command =
         [](CMainFrame& f) {
             f.FileCommand([&f](Project& p, std::size_t i) {
                 p.MoveFileUp(i, f.prompter());
                 return true;
             });
         },
     .enabled = EnabledWhen::HtmlFile,
     .keyShownOnly = true},
    {.place = MenuPlace::ThisFile,
     .name = "actionFileMoveDown",
     .text = "Move &Down\tCtrl+Down Arrow",
     .prompt = "Moves this file down one place\nMove Down",
     .command =
         [](CMainFrame& f) {
             f.FileCommand([&f](Project& p, std::size_t i) {
                 p.MoveFileDown(i, f.prompter());
                 return true;
             });
         },
     .enabled = EnabledWhen::HtmlFile,
     .keyShownOnly = true},
    {.place = MenuPlace::ThisFile,
     .name = "actionFileMoveToBottom",
     .text = "Move To &Bottom\tCtrl+End",
     .prompt = "Move this file to the bottom of the list\nMove To Bottom",
     .command =
         [](CMainFrame& f) {
             f.FileCommand([](Project& p, std::size_t i) {
                 p.MoveFileToBottom(i);
                 return true;
             });
         },
     .enabled = EnabledWhen::HtmlFile,
     .keyShownOnly = true},

    {.place = MenuPlace::Edit,
     .kind = RowKind::Menu,
     .name = "menuAllFiles",
     .text = "All &Files",
     .opens = MenuPlace::AllFiles},
    {.place = MenuPlace::AllFiles,
     .name = "actionAllMakeSearchable",
     .text = "Make &Searchable...",
     .prompt = "Make every HTML file that has a title searchable\nMake Searchable",
     .command =
         [](CMainFrame& f) { f.AllFiles(static_cast<int>(AllFilesCommand::MakeSearchable)); },
     .enabled = EnabledWhen::AllFiles},
    {.place = MenuPlace::AllFiles,
     .name = "actionAllRemoveSearchable",
     .text = "R&emove Searchable...",
     .prompt = "Make no file searchable\nRemove Searchable",
     .command =
         [](CMainFrame& f) { f.AllFiles(static_cast<int>(AllFilesCommand::RemoveSearchable)); },
     .enabled = EnabledWhen::AllFiles},
    {.place = MenuPlace::AllFiles,
     .name = "actionAllListInContents",
     .text = "List in &Table Of Contents...",
     .prompt = "List every HTML file that has a title in the Table Of "
               "Contents\nList in Table Of "
               "Contents",
     .command =
         [](CMainFrame& f) { f.AllFiles(static_cast<int>(AllFilesCommand::ListInContents)); },
     .enabled = EnabledWhen::AllFiles},
    {.place = MenuPlace::AllFiles,
     .name = "actionAllRemoveFromContents",
     .text = "Re&move from Table Of Contents...",
     .prompt = "Take every file out of the Table Of Contents\nRemove from "
               "Table Of Contents",
     .command =
         [](CMainFrame& f) { f.AllFiles(static_cast<int>(AllFilesCommand::RemoveFromContents)); },
     .enabled = EnabledWhen::AllFiles},
    // The PreProcessor commands ask nothing of the file list, so they stay
    // enabled.
    {.place = MenuPlace::AllFiles,
     .name = "actionAllPreprocessorOn",
     .text = "Turn PrePro&cessor On",
     .prompt = "Turn the PreProcessor on for every HTML file\nTurn PreProcessor On",
     .command =
         [](CMainFrame& f) { f.AllFiles(static_cast<int>(AllFilesCommand::PreprocessorOn)); }},
    {.place = MenuPlace::AllFiles,
     .name = "actionAllPreprocessorOff",
     .text = "Turn PreProcessor &Off",
     .prompt = "Turn the PreProcessor off for every HTML file\nTurn PreProcessor Off",
     .command =
         [](CMainFrame& f) { f.AllFiles(static_cast<int>(AllFilesCommand::PreprocessorOff)); }},
    {.place = MenuPlace::AllFiles, .kind = RowKind::Separator},
    {.place = MenuPlace::AllFiles,
     .name = "actionAllOrderByLinks",
     .text = "Order By &Links...",
     .prompt = "Put the pages in the order in which they link to each other, "
               "from the index "
               "page\nOrder By Links",
     .command = [](CMainFrame& f) { f.OrderByLinks(); },
     .enabled = EnabledWhen::AllFiles},

    {.place = MenuPlace::Edit,
     .kind = RowKind::Menu,
     .name = "menuVariables",
     .text = "Nimbrel &Variables",
     .opens = MenuPlace::Variables},
    {.place = MenuPlace::Variables,
     .name = "actionAddVariable",
     .text = "&Add Variable...\tCtrl+A",
     .prompt = "Creates an Nimbrel Variable\nAdd Variable",
     .command = [](CMainFrame& f) { f.AddVariables(); }},
    {.place = MenuPlace::Variables,
     .name = "actionDeleteVariable",
     .text = "&Delete Variable...\tDel",
     .prompt = "Deletes the selected variable\nDelete Variable",
     .command = [](CMainFrame& f) { f.DeleteVariable(); },
     .enabled = EnabledWhen::Variable},
    {.place = MenuPlace::Variables,
     .name = "actionVariableProperties",
     .text = "&Edit Properties...\tF4",
     .prompt = "Edit the properties of the selected variable\nEdit Properties",
     .command = [](CMainFrame& f) { f.VariableProperties(); },
     .enabled = EnabledWhen::Variable,
     .keyShownOnly = true},
    {.place = MenuPlace::Variables,
     .name = "actionVariableMoveToTop",
     .text = "Move To T&op\tCtrl+Home",
     .prompt = "Move this variable to the top of the list\nMove To Top",
     .command = [](CMainFrame& f) { f.VariableMove(&MoveVariableToTop); },
     .enabled = EnabledWhen::Variable,
     .keyShownOnly = true},
    {.place = MenuPlace::Variables,
     .name = "actionVariableMoveUp",
     .text = "Move &Up\tCtrl+Up Arrow",
     .prompt = "Moves this variable up one place\nMove Up",
     .command = [](CMainFrame& f) { f.VariableMove(&MoveVariableUp); },
     .enabled = EnabledWhen::Variable,
     .keyShownOnly = true},
    {.place = MenuPlace::Variables,
     .name = "actionVariableMoveDown",
     .text = "Move &Down\tCtrl+Down Arrow",
     .prompt = "Moves this variable down one place\nMove Down",
     .command = [](CMainFrame& f) { f.VariableMove(&MoveVariableDown); },
     .enabled = EnabledWhen::Variable,
     .keyShownOnly = true},
    {.place = MenuPlace::Variables,
     .name = "actionVariableMoveToBottom",
     .text = "Move To &Bottom\tCtrl+End",
     .prompt = "Move this variable to the bottom of the list\nMove To Bottom",
     .command = [](CMainFrame& f) { f.VariableMove(&MoveVariableToBottom); },
     .enabled = EnabledWhen::Variable,
     .keyShownOnly = true},
    {.place = MenuPlace::Edit, .kind = RowKind::Separator},
    {.place = MenuPlace::Edit,
     .name = "actionEditOutput",
     .text = "&Output...",
     .prompt = "Edit the Output E-Book EXE and the Rebrander\nEdit Output",
     .command = [](CMainFrame& f) { f.EditSettings(MainTab::Output); },
     .toolbarGroup = 4,
     .styleIcon = QStyle::SP_DriveHDIcon},

    // The item commands: toolbar buttons and keys acting on the current list.
    {.place = MenuPlace::Window,
     .name = "actionItemProperties",
     .text = "Edit Properties\tF4",
     .prompt = "Edit the properties of the selected item\nEdit Properties",
     .command = [](CMainFrame& f) { f.ItemProperties(); },
     .enabled = EnabledWhen::Item,
     .toolbarGroup = 3,
     .styleIcon = QStyle::SP_FileDialogDetailedView},
    {.place = MenuPlace::Window,
     .name = "actionItemMoveToTop",
     .text = "Move To Top\tCtrl+Home",
     .prompt = "Move the selected item to the top of the list\nMove To Top",
     .command = [](CMainFrame& f) { f.ItemMove(-2); },
     .enabled = EnabledWhen::Item,
     .toolbarGroup = 3,
     .styleIcon = QStyle::SP_MediaSkipBackward},
    {.place = MenuPlace::Window,
     .name = "actionItemMoveUp",
     .text = "Move Up\tCtrl+Up Arrow",
     .prompt = "Move the selected item up one place\nMove Up",
     .command = [](CMainFrame& f) { f.ItemMove(-1); },
     .enabled = EnabledWhen::Item,
     .toolbarGroup = 3,
     .styleIcon = QStyle::SP_ArrowUp},
    {.place = MenuPlace::Window,
     .name = "actionItemMoveDown",
     .text = "Move Down\tCtrl+Down Arrow",
     .prompt = "Move the selected item down one place\nMove Down",
     .command = [](CMainFrame& f) { f.ItemMove(1); },
     .enabled = EnabledWhen::Item,
     .toolbarGroup = 3,
     .styleIcon = QStyle::SP_ArrowDown},
    {.place = MenuPlace::Window,
     .name = "actionItemMoveToBottom",
     .text = "Move To Bottom\tCtrl+End",
     .prompt = "Move the selected item to the bottom of the list\nMove To Bottom",
     .command = [](CMainFrame& f) { f.ItemMove(2); },
     .enabled = EnabledWhen::Item,
     .toolbarGroup = 3,
     .styleIcon = QStyle::SP_MediaSkipForward},

    // View: only the view changes, so the tabs can be looked at during a build
    // too.
    {.place = MenuPlace::Bar,
     .kind = RowKind::Menu,
     .name = "menuView",
     .text = "&View",
     .opens = MenuPlace::View},
    {.place = MenuPlace::View,
     .kind = RowKind::Tab,
     .name = "actionViewEBookInfo",
     .text = "&E-Book Info",
     .enabled = EnabledWhen::Always,
     .tab = MainTab::EBookInfo},
    {.place = MenuPlace::View,
     .kind = RowKind::Tab,
     .name = "actionViewIcon",
     .text = "&Icon",
     .enabled = EnabledWhen::Always,
     .tab = MainTab::Icon},
    {.place = MenuPlace::View,
     .kind = RowKind::Tab,
     .name = "actionViewStartUp",
     .text = "Start &Up",
     .enabled = EnabledWhen::Always,
     .tab = MainTab::StartUp},
    {.place = MenuPlace::View,
     .kind = RowKind::Tab,
     .name = "actionViewUserInterface",
     .text = "&User Interface",
     .enabled = EnabledWhen::Always,
     .tab = MainTab::UserInterface},
    {.place = MenuPlace::View,
     .kind = RowKind::Tab,
     .name = "actionViewSystemPages",
     .text = "System &Pages",
     .enabled = EnabledWhen::Always,
     .tab = MainTab::SystemPages},
    {.place = MenuPlace::View,
     .kind = RowKind::Tab,
     .name = "actionViewAddIns",
     .text = "&Add-Ins",
     .enabled = EnabledWhen::Always,
     .tab = MainTab::AddIns},
    {.place = MenuPlace::View,
     .kind = RowKind::Tab,
     .name = "actionViewFiles",
     .text = "&Files",
     .enabled = EnabledWhen::Always,
     .tab = MainTab::Files},
    {.place = MenuPlace::View,
     .kind = RowKind::Tab,
     .name = "actionViewVariables",
     .text = "Nimbrel &Variables",
     .enabled = EnabledWhen::Always,
     .tab = MainTab::Variables},
    {.place = MenuPlace::View,
     .kind = RowKind::Tab,
     .name = "actionViewOutput",
     .text = "&Output",
     .enabled = EnabledWhen::Always,
     .tab = MainTab::Output},
    // The keys that step through tabs elsewhere on the desktop.
    {.place = MenuPlace::Window,
     .name = "actionViewNextTab",
     .text = "Next Tab\tCtrl+Tab; Ctrl+PgDown",
     .prompt = "Show the next or the previous tab",
     .command = [](CMainFrame& f) { f.StepTab(1); },
     .enabled = EnabledWhen::Always},
    {.place = MenuPlace::Window,
     .name = "actionViewPreviousTab",
     .text = "Previous Tab\tCtrl+Shift+Backtab; Ctrl+Shift+Tab; Ctrl+PgUp",
     .prompt = "Show the next or the previous tab",
     .command = [](CMainFrame& f) { f.StepTab(-1); },
     .enabled = EnabledWhen::Always},
    {.place = MenuPlace::View, .kind = RowKind::Separator},
    {.place = MenuPlace::View,
     .kind = RowKind::StatusBarToggle,
     .name = "actionViewStatusBar",
     .text = "&Status Bar",
     .prompt = "Show or hide the status bar\nToggle StatusBar",
     .enabled = EnabledWhen::Always},
    {.place = MenuPlace::View,
     .kind = RowKind::ToolbarToggle,
     .name = "actionViewToolbar",
     .text = "&Toolbar",
     .prompt = "Show or hide the toolbar",
     .enabled = EnabledWhen::Always},

    // Build
    {.place = MenuPlace::Bar,
     .kind = RowKind::Menu,
     .name = "menuBuild",
     .text = "&Build",
     .opens = MenuPlace::Build},
    {.place = MenuPlace::Build,
     .name = "actionBuild",
     .text = "&Build..\tCtrl+B",
     .prompt = "Builds the E-Book, and if enabled, the Rebrander\nBuild",
     .command = [](CMainFrame& f) { f.BuildCommand(false); },
     .toolbarGroup = 4,
     .styleIcon = QStyle::SP_DialogApplyButton},
    {.place = MenuPlace::Build,
     .name = "actionRun",
     .text = "&Run...\tCtrl+R",
     .prompt = "Builds and runs the E-Book\nRun",
     .command = [](CMainFrame& f) { f.BuildCommand(true); },
     .toolbarGroup = 4,
     .styleIcon = QStyle::SP_MediaPlay},
    {.place = MenuPlace::Build,
     .name = "actionBuildSeries",
     .text = "Build &Series...",
     .prompt = "Builds a numbered series of E-Books\nBuild Series",
     .command = [](CMainFrame& f) { f.BuildSeriesCommand(); }},

    // Help
    {.place = MenuPlace::Bar,
     .kind = RowKind::Menu,
     .name = "menuHelp",
     .text = "&Help",
     .opens = MenuPlace::Help},
    {.place = MenuPlace::Help,
     .name = "actionHelp",
     .text = "&Help - &User Guide\tF1",
     .prompt = "Open the user guide\nUser Guide",
     .command = [](CMainFrame& f) { f.HelpUserGuide(); }},
    {.place = MenuPlace::Help, .kind = RowKind::Separator},
    {.place = MenuPlace::Help,
     .name = "actionHomePage",
     .text = "E-Book &Home Page",
     .prompt = "Open the E-Book compiler's home page\nHome Page",
     .command = [](CMainFrame& f) { f.OpenSitePage(""); }},
    {.place = MenuPlace::Help,
     .name = "actionFaq",
     .text = "E-Book &Frequently Asked Questions",
     .prompt = "Open the frequently asked questions\nFrequently Asked Questions",
     .command = [](CMainFrame& f) { f.OpenSitePage("faq.asp"); }},
    {.place = MenuPlace::Help,
     .name = "actionLinks",
     .text = "E-Book &Links",
     .prompt = "Open the links page\nLinks",
     .command = [](CMainFrame& f) { f.OpenSitePage("links.asp"); }},
    {.place = MenuPlace::Help,
     .name = "actionAffiliate",
     .text = "E-Book Affiliate &Program",
     .prompt = "Open the affiliate program's page\nAffiliate Program",
     .command = [](CMainFrame& f) { f.OpenSitePage("affiliate.asp"); }},
    {.place = MenuPlace::Help, .kind = RowKind::Separator},
    {.place = MenuPlace::Help,
     .name = "actionAbout",
     .text = "&About...",
     .prompt = "Display program information, version number and copyright\nAbout",
     .command =
         [](CMainFrame& f) {
             AboutBox box(&f);
             box.exec();
         },
     .toolbarGroup = 5,
     .styleIcon = QStyle::SP_MessageBoxInformation},
};

QAction* CMainFrame::MakeAction(const ActionRow& row) {
    const QString full = QString::fromUtf8(row.text);
    const qsizetype tab = full.indexOf(QLatin1Char('\t'));
    auto* action = new QAction(this);
    action->setObjectName(row.name);
    if (tab >= 0 && !row.keyShownOnly) {
        action->setText(full.left(tab));
        action->setShortcuts(KeysOf(full.mid(tab + 1)));
        action->setShortcutContext(Qt::WindowShortcut);
    } else {
        action->setText(full);
    }
    const QString both = row.prompt
                             ? QString::fromUtf8(row.prompt)
                             : QString("Show the %1 tab\n%1").arg(ToQString(MainTabTitle(row.tab)));
    const qsizetype newline = both.indexOf(QLatin1Char('\n'));
    action->setStatusTip(newline >= 0 ? both.left(newline) : both);
    action->setToolTip(newline >= 0 ? both.mid(newline + 1) : action->text().remove('&'));
    if (row.styleIcon) {
        action->setIcon(style()->standardIcon(*row.styleIcon));
    } else if (row.picture) {
        action->setIcon(ProgramIcon(*row.picture));
    }
    if (auto* command = row.command) {
        // A view command runs at any time; the others wait for no build and update
        // the states.
        if (row.enabled == EnabledWhen::Always) {
            connect(action, &QAction::triggered, this, [this, command] { command(*this); });
        } else {
            connect(action, &QAction::triggered, this,
                    [this, command] { Run([this, command] { command(*this); }); });
        }
    }
    actions_[row.name] = action;
    enabledWhen_.emplace_back(action, row.enabled);
    addAction(action);
    return action;
}

void CMainFrame::AddRecentFileActions(QMenu* menu) {
    recentSeparator_ = menu->addSeparator();
    for (std::size_t i = 0; i < RecentFileList::kMaxEntries; ++i) {
        auto* recent = new QAction(this);
        recent->setObjectName(QString("actionRecentFile%1").arg(i + 1));
        recent->setStatusTip("Open this project");
        connect(recent, &QAction::triggered, this, [this, i] {
            if (i < recent_.entries().size()) {
                const std::string path = recent_.entries()[i];
                Run([this, path] { OpenDocument(path); });
            }
        });
        recentActions_ << recent;
        actions_[recent->objectName().toStdString()] = recent;
        enabledWhen_.emplace_back(recent, EnabledWhen::Idle);
        menu->addAction(recent);
    }
}

void CMainFrame::CreateActions() {
    toolBar_ = addToolBar("Toolbar");
    toolBar_->setObjectName("mainToolBar");
    toolBar_->setIconSize(QSize(16, 16));
    // The menu bar's and the window's places stay null: they are no menu.
    std::array<QMenu*, static_cast<std::size_t>(MenuPlace::Window) + 1> menus{};
    std::array<QList<QAction*>, kToolbarGroups + 1> toolbarGroups;
    auto* tabGroup = new QActionGroup(this);
    tabActions_.assign(kMainTabCount, nullptr);
    for (const ActionRow& row : kActionRows) {
        QMenu* menu = menus.at(static_cast<std::size_t>(row.place));
        QAction* action = nullptr;
        switch (row.kind) {
            case RowKind::Menu:
                menus.at(static_cast<std::size_t>(row.opens)) =
                    menu ? menu->addMenu(row.text) : menuBar()->addMenu(row.text);
                menus.at(static_cast<std::size_t>(row.opens))->setObjectName(row.name);
                continue;
            case RowKind::Separator:
                menu->addSeparator();
                continue;
            case RowKind::RecentFiles:
                AddRecentFileActions(menu);
                continue;
            case RowKind::Command:
                action = MakeAction(row);
                break;
            case RowKind::Tab:
                action = MakeAction(row);
                action->setCheckable(true);
                tabGroup->addAction(action);
                connect(action, &QAction::triggered, this,
                        [this, &row] { view_->ShowTab(row.tab); });
                tabActions_.at(static_cast<std::size_t>(row.tab)) = action;
                break;
            case RowKind::StatusBarToggle:
                action = MakeAction(row);
                action->setCheckable(true);
                action->setChecked(true);
                connect(action, &QAction::toggled, statusBar(), &QWidget::setVisible);
                break;
            case RowKind::ToolbarToggle:
                action = toolBar_->toggleViewAction();
                action->setObjectName(row.name);
                action->setText(row.text);
                action->setStatusTip(row.prompt);
                actions_[row.name] = action;
                enabledWhen_.emplace_back(action, row.enabled);
                break;
        }
        if (menu) {
            menu->addAction(action);
        }
        toolbarGroups.at(static_cast<std::size_t>(row.toolbarGroup)) << action;
    }
    for (int group = 1; group <= kToolbarGroups; ++group) {
        if (group > 1) {
            toolBar_->addSeparator();
        }
        toolBar_->addActions(toolbarGroups.at(static_cast<std::size_t>(group)));
    }

    // The message pane: the idle text, or a build's stage. Menu prompts show over
    // it for as long as the pointer rests on their entries.
    statusBar()->setObjectName("statusBar");
    statusMessage_ = new QLabel(ToQString(kIdleStatusText), statusBar());
    statusMessage_->setObjectName("statusMessage");
    statusBar()->addWidget(statusMessage_, 1);
}

}  // namespace nbx::app
