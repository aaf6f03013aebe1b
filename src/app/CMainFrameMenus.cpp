// The main window's menus, toolbar and status bar: every command with its menu text, key,
// status-bar prompt and tool tip.

#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "app/AboutBox.h"
#include "app/CMainFrame.h"
#include "appmodel/MainWindowRules.h"
#include "project/FileListCommands.h"
#include "qtcommon/ProgramPictures.h"
#include "qtcommon/QtText.h"
#include "variables/VariableCommands.h"

namespace nbx::app {

namespace {

// "Ctrl+Up Arrow" as Qt spells it.
QKeySequence KeyOf(QString key) {
    key.replace(QLatin1String(" Arrow"), QString());
    return QKeySequence(key, QKeySequence::PortableText);
}

}  // namespace

QAction* CMainFrame::MakeAction(const char* objectName, const char* text, const char* promptAndTip,
                                std::function<void()> command, bool keyShownOnly) {
    const QString full = QString::fromUtf8(text);
    const qsizetype tab = full.indexOf(QLatin1Char('\t'));
    auto* action = new QAction(this);
    action->setObjectName(objectName);
    if (tab >= 0 && !keyShownOnly) {
        action->setText(full.left(tab));
        action->setShortcut(KeyOf(full.mid(tab + 1)));
        action->setShortcutContext(Qt::WindowShortcut);
    } else {
        // The key is shown in the menu; another command (the item commands) takes it.
        action->setText(full);
    }
    const QString both = QString::fromUtf8(promptAndTip);
    const qsizetype newline = both.indexOf(QLatin1Char('\n'));
    action->setStatusTip(newline >= 0 ? both.left(newline) : both);
    action->setToolTip(newline >= 0 ? both.mid(newline + 1) : action->text().remove('&'));
    connect(action, &QAction::triggered, this, [this, command] { Run(command); });
    actions_[objectName] = action;
    addAction(action);
    return action;
}

void CMainFrame::CreateActions() {
    QStyle* s = style();
    // File
    fileMenu_ = menuBar()->addMenu("&File");
    fileMenu_->setObjectName("menuFile");
    auto* newAction = MakeAction("actionNew", "&New\tCtrl+N", "Create a new project\nNew",
                                 [this] { NewDocument(); });
    auto* openAction =
        MakeAction("actionOpen", "&Open...\tCtrl+O", "Open an existing project\nOpen", [this] {
            const std::string path = dialogs.openProject(document_.path());
            if (!path.empty()) {
                OpenDocument(path);
            }
        });
    auto* saveAction = MakeAction("actionSave", "&Save\tCtrl+S", "Save the active project\nSave",
                                  [this] { Save(); });
    auto* saveAsAction =
        MakeAction("actionSaveAs", "Save &As...",
                   "Save the active project with a new name\nSave As", [this] { SaveAs(); });
    auto* exitAction =
        MakeAction("actionExit", "E&xit", "Quit the application; prompts to save the project\nExit",
                   [this] { close(); });
    newAction->setIcon(s->standardIcon(QStyle::SP_FileIcon));
    openAction->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
    saveAction->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    fileMenu_->addActions({newAction, openAction, saveAction, saveAsAction});
    recentSeparator_ = fileMenu_->addSeparator();
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
        fileMenu_->addAction(recent);
    }
    fileMenu_->addSeparator();
    fileMenu_->addAction(exitAction);

    // Edit
    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->setObjectName("menuEdit");
    struct Area {
        const char* editName;
        const char* editText;
        const char* editPrompt;
        const char* viewName;
        const char* viewText;
        MainTab tab;
        ProgramPicture picture;
    };
    const Area areas[] = {
        {"actionEditEBookInfo", "&E-Book Info...\tCtrl+E",
         "Edit the general E-Book Inforrmation\nEdit E-Book Info", "actionViewEBookInfo",
         "&E-Book Info", MainTab::EBookInfo, ProgramPicture::EBookInfo},
        {"actionEditIcon", "&Icon...",
         "Choose the E-Book's icon and how it is installed\nEdit Icon", "actionViewIcon", "&Icon",
         MainTab::Icon, ProgramPicture::Icon},
        {"actionEditStartUp", "Start &Up...",
         "Edit the start up message, window size and splash bitmap\nEdit Start Up",
         "actionViewStartUp", "Start &Up", MainTab::StartUp, ProgramPicture::StartUp},
        {"actionEditUserInterface", "&User Interface...",
         "Edit the E-Book window's toolbar, menus and language\nEdit User Interface",
         "actionViewUserInterface", "&User Interface", MainTab::UserInterface,
         ProgramPicture::UserInterface},
        {"actionEditSystemPages", "System &Pages...",
         "Edit the About, Search Results and Table Of Contents pages\nEdit System Pages",
         "actionViewSystemPages", "System &Pages", MainTab::SystemPages,
         ProgramPicture::SystemPages},
        {"actionEditAddIns", "&Add-Ins...", "Edit the event handlers and extensions\nEdit Add-Ins",
         "actionViewAddIns", "&Add-Ins", MainTab::AddIns, ProgramPicture::AddIns},
    };
    QList<QAction*> settingsActions;
    for (const auto& area : areas) {
        const MainTab tab = area.tab;
        QAction* a = MakeAction(area.editName, area.editText, area.editPrompt,
                                [this, tab] { EditSettings(tab); });
        a->setIcon(ProgramIcon(area.picture));
        edit->addAction(a);
        settingsActions << a;
    }
    edit->addSeparator();
    auto* scan = MakeAction("actionScanFolder", "S&can Folder...\tCtrl+D",
                            "Choose the folder that holds the E-Book's source files\nScan Folder",
                            [this] { ScanFolder(); });
    scan->setIcon(s->standardIcon(QStyle::SP_DirOpenIcon));
    auto* refresh = MakeAction("actionRefreshFiles", "Refresh Files\tF5",
                               "Refresh the list of files shown on the files tab\nRefresh Files",
                               [this] { RefreshFiles(); });
    refresh->setIcon(s->standardIcon(QStyle::SP_BrowserReload));
    edit->addActions({scan, refresh});

    QMenu* thisFile = edit->addMenu("&This File");
    thisFile->setObjectName("menuThisFile");
    thisFile->addAction(MakeAction(
        "actionToggleExcluded", "Toggle E&xcluded\tCtrl+X",
        "Exclude this file from the E-Book, or include it again\nToggle Excluded",
        [this] { FileCommand([](Project& p, std::size_t i) { return ToggleExcluded(p, i); }); }));
    thisFile->addAction(MakeAction("actionToggleSearchable", "Toggle &Searchable\tCtrl+F",
                                   "Make this file searchable, or not\nToggle Searchable", [this] {
                                       FileCommand([this](Project& p, std::size_t i) {
                                           return ToggleSearchable(p, i, prompter());
                                       });
                                   }));
    thisFile->addAction(MakeAction(
        "actionToggleInContents", "Toggle in &Table Of Contents\tCtrl+J",
        "List this file in the Table Of Contents, or not\nToggle in Table Of Contents", [this] {
            FileCommand(
                [this](Project& p, std::size_t i) { return ToggleInContents(p, i, prompter()); });
        }));
    thisFile->addAction(
        MakeAction("actionTogglePreprocessor", "Toggle PrePro&cessor\tCtrl+P",
                   "Run this file through the PreProcessor, or not\nToggle PreProcessor", [this] {
                       FileCommand([this](Project& p, std::size_t i) {
                           return TogglePreprocess(p, i, prompter());
                       });
                   }));
    thisFile->addAction(MakeAction(
        "actionFileProperties", "&Edit Properties...\tF4",
        "Edit the properties of this file\nEdit Properties", [this] { FileProperties(); }, true));
    const struct {
        const char* name;
        const char* text;
        const char* prompt;
        int direction;
    } fileMoves[] = {
        {"actionFileMoveToTop", "Move To T&op\tCtrl+Home",
         "Move this file to the top of the list\nMove To Top", -2},
        {"actionFileMoveUp", "Move &Up\tCtrl+Up Arrow", "Moves this file up one place\nMove Up",
         -1},
        {"actionFileMoveDown", "Move &Down\tCtrl+Down Arrow",
         "Moves this file down one place\nMove Down", 1},
        {"actionFileMoveToBottom", "Move To &Bottom\tCtrl+End",
         "Move this file to the bottom of the list\nMove To Bottom", 2},
    };
    for (const auto& m : fileMoves) {
        const int direction = m.direction;
        thisFile->addAction(MakeAction(
            m.name, m.text, m.prompt,
            [this, direction] {
                FileCommand([this, direction](Project& p, std::size_t i) {
                    switch (direction) {
                        case -2:
                            p.MoveFileToTop(i);
                            break;
                        case -1:
                            p.MoveFileUp(i, prompter());
                            break;
                        case 1:
                            p.MoveFileDown(i, prompter());
                            break;
                        default:
                            p.MoveFileToBottom(i);
                    }
                    return true;
                });
            },
            true));
    }

    QMenu* allFiles = edit->addMenu("All &Files");
    allFiles->setObjectName("menuAllFiles");
    const struct {
        const char* name;
        const char* text;
        const char* prompt;
        AllFilesCommand command;
    } all[] = {
        {"actionAllMakeSearchable", "Make &Searchable...",
         "Make every HTML file that has a title searchable\nMake Searchable",
         AllFilesCommand::MakeSearchable},
        {"actionAllRemoveSearchable", "R&emove Searchable...",
         "Make no file searchable\nRemove Searchable", AllFilesCommand::RemoveSearchable},
        {"actionAllListInContents", "List in &Table Of Contents...",
         "List every HTML file that has a title in the Table Of Contents\nList in Table Of "
         "Contents",
         AllFilesCommand::ListInContents},
        {"actionAllRemoveFromContents", "Re&move from Table Of Contents...",
         "Take every file out of the Table Of Contents\nRemove from Table Of Contents",
         AllFilesCommand::RemoveFromContents},
        {"actionAllPreprocessorOn", "Turn PrePro&cessor On",
         "Turn the PreProcessor on for every HTML file\nTurn PreProcessor On",
         AllFilesCommand::PreprocessorOn},
        {"actionAllPreprocessorOff", "Turn PreProcessor &Off",
         "Turn the PreProcessor off for every HTML file\nTurn PreProcessor Off",
         AllFilesCommand::PreprocessorOff},
    };
    for (const auto& a : all) {
        const int command = static_cast<int>(a.command);
        allFiles->addAction(
            MakeAction(a.name, a.text, a.prompt, [this, command] { AllFiles(command); }));
    }
    allFiles->addSeparator();
    allFiles->addAction(MakeAction(
        "actionAllOrderByLinks", "Order By &Links...",
        "Put the pages in the order in which they link to each other, from the index page\nOrder "
        "By Links",
        [this] { OrderByLinks(); }));

    QMenu* variables = edit->addMenu("Nimbrel &Variables");
    variables->setObjectName("menuVariables");
    variables->addAction(MakeAction("actionAddVariable", "&Add Variable...\tCtrl+A",
                                    "Creates an Nimbrel Variable\nAdd Variable",
                                    [this] { AddVariables(); }));
    variables->addAction(MakeAction("actionDeleteVariable", "&Delete Variable...\tDel",
                                    "Deletes the selected variable\nDelete Variable",
                                    [this] { DeleteVariable(); }));
    variables->addAction(MakeAction(
        "actionVariableProperties", "&Edit Properties...\tF4",
        "Edit the properties of the selected variable\nEdit Properties",
        [this] { VariableProperties(); }, true));
    variables->addAction(MakeAction(
        "actionVariableMoveToTop", "Move To T&op\tCtrl+Home",
        "Move this variable to the top of the list\nMove To Top",
        [this] { VariableMove(&MoveVariableToTop); }, true));
    variables->addAction(MakeAction(
        "actionVariableMoveUp", "Move &Up\tCtrl+Up Arrow",
        "Moves this variable up one place\nMove Up", [this] { VariableMove(&MoveVariableUp); },
        true));
    variables->addAction(MakeAction(
        "actionVariableMoveDown", "Move &Down\tCtrl+Down Arrow",
        "Moves this variable down one place\nMove Down",
        [this] { VariableMove(&MoveVariableDown); }, true));
    variables->addAction(MakeAction(
        "actionVariableMoveToBottom", "Move To &Bottom\tCtrl+End",
        "Move this variable to the bottom of the list\nMove To Bottom",
        [this] { VariableMove(&MoveVariableToBottom); }, true));
    edit->addSeparator();
    auto* output = MakeAction("actionEditOutput", "&Output...",
                              "Edit the Output E-Book EXE and the Rebrander\nEdit Output",
                              [this] { EditSettings(MainTab::Output); });
    output->setIcon(s->standardIcon(QStyle::SP_DriveHDIcon));
    edit->addAction(output);

    // The item commands: toolbar buttons and keys acting on the current list.
    auto* itemProperties = MakeAction("actionItemProperties", "Edit Properties\tF4",
                                      "Edit the properties of the selected item\nEdit Properties",
                                      [this] { ItemProperties(); });
    itemProperties->setIcon(s->standardIcon(QStyle::SP_FileDialogDetailedView));
    const struct {
        const char* name;
        const char* text;
        const char* prompt;
        int direction;
        QStyle::StandardPixmap icon;
    } items[] = {
        {"actionItemMoveToTop", "Move To Top\tCtrl+Home",
         "Move the selected item to the top of the list\nMove To Top", -2,
         QStyle::SP_MediaSkipBackward},
        {"actionItemMoveUp", "Move Up\tCtrl+Up Arrow",
         "Move the selected item up one place\nMove Up", -1, QStyle::SP_ArrowUp},
        {"actionItemMoveDown", "Move Down\tCtrl+Down Arrow",
         "Move the selected item down one place\nMove Down", 1, QStyle::SP_ArrowDown},
        {"actionItemMoveToBottom", "Move To Bottom\tCtrl+End",
         "Move the selected item to the bottom of the list\nMove To Bottom", 2,
         QStyle::SP_MediaSkipForward},
    };
    QList<QAction*> itemActions{itemProperties};
    for (const auto& item : items) {
        const int direction = item.direction;
        QAction* a = MakeAction(item.name, item.text, item.prompt,
                                [this, direction] { ItemMove(direction); });
        a->setIcon(s->standardIcon(item.icon));
        itemActions << a;
    }

    // View
    QMenu* view = menuBar()->addMenu("&View");
    view->setObjectName("menuView");
    auto* tabGroup = new QActionGroup(this);
    const struct {
        const char* name;
        const char* text;
        MainTab tab;
    } views[] = {
        {"actionViewEBookInfo", "&E-Book Info", MainTab::EBookInfo},
        {"actionViewIcon", "&Icon", MainTab::Icon},
        {"actionViewStartUp", "Start &Up", MainTab::StartUp},
        {"actionViewUserInterface", "&User Interface", MainTab::UserInterface},
        {"actionViewSystemPages", "System &Pages", MainTab::SystemPages},
        {"actionViewAddIns", "&Add-Ins", MainTab::AddIns},
        {"actionViewFiles", "&Files", MainTab::Files},
        {"actionViewVariables", "Nimbrel &Variables", MainTab::Variables},
        {"actionViewOutput", "&Output", MainTab::Output},
    };
    for (const auto& v : views) {
        const MainTab tab = v.tab;
        const QString prompt = QString("Show the %1 tab\n%1").arg(ToQString(MainTabTitle(tab)));
        // Only the view changes, so the tabs can be looked at during a build too.
        QAction* a = MakeAction(v.name, v.text, prompt.toUtf8().constData(), {});
        connect(a, &QAction::triggered, this, [this, tab] { view_->ShowTab(tab); });
        a->setCheckable(true);
        tabGroup->addAction(a);
        view->addAction(a);
    }
    // The keys that step through tabs elsewhere on the desktop.
    const struct {
        const char* name;
        const char* text;
        QList<QKeySequence> keys;
        int step;
    } steps[] = {
        {"actionViewNextTab",
         "Next Tab",
         {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)},
         1},
        {"actionViewPreviousTab",
         "Previous Tab",
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
          QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
         -1},
    };
    for (const auto& st : steps) {
        const int step = st.step;
        QAction* a = MakeAction(st.name, st.text, "Show the next or the previous tab", {});
        a->setShortcuts(st.keys);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, [this, step] { StepTab(step); });
    }
    view->addSeparator();

    // Build
    QMenu* build = menuBar()->addMenu("&Build");
    build->setObjectName("menuBuild");
    auto* buildAction = MakeAction("actionBuild", "&Build..\tCtrl+B",
                                   "Builds the E-Book, and if enabled, the Rebrander\nBuild",
                                   [this] { BuildCommand(false); });
    buildAction->setIcon(s->standardIcon(QStyle::SP_DialogApplyButton));
    auto* runAction = MakeAction("actionRun", "&Run...\tCtrl+R", "Builds and runs the E-Book\nRun",
                                 [this] { BuildCommand(true); });
    runAction->setIcon(s->standardIcon(QStyle::SP_MediaPlay));
    build->addActions({buildAction, runAction});
    build->addAction(MakeAction("actionBuildSeries", "Build &Series...",
                                "Builds a numbered series of E-Books\nBuild Series",
                                [this] { BuildSeriesCommand(); }));

    // Help
    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("menuHelp");
    help->addAction(MakeAction("actionHelp", "&Help - &User Guide\tF1",
                               "Open the user guide\nUser Guide", [this] { HelpUserGuide(); }));
    help->addSeparator();
    help->addAction(MakeAction("actionHomePage", "E-Book &Home Page",
                               "Open the E-Book compiler's home page\nHome Page",
                               [this] { OpenSitePage(""); }));
    help->addAction(MakeAction("actionFaq", "E-Book &Frequently Asked Questions",
                               "Open the frequently asked questions\nFrequently Asked Questions",
                               [this] { OpenSitePage("faq.asp"); }));
    help->addAction(MakeAction("actionLinks", "E-Book &Links", "Open the links page\nLinks",
                               [this] { OpenSitePage("links.asp"); }));
    help->addAction(MakeAction("actionAffiliate", "E-Book Affiliate &Program",
                               "Open the affiliate program's page\nAffiliate Program",
                               [this] { OpenSitePage("affiliate.asp"); }));
    help->addSeparator();
    auto* about =
        MakeAction("actionAbout", "&About...",
                   "Display program information, version number and copyright\nAbout", [this] {
                       AboutBox box(this);
                       box.exec();
                   });
    about->setIcon(s->standardIcon(QStyle::SP_MessageBoxInformation));
    help->addAction(about);

    // Toolbar, in its groups.
    toolBar_ = addToolBar("Toolbar");
    toolBar_->setObjectName("mainToolBar");
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->addActions({newAction, openAction, saveAction});
    toolBar_->addSeparator();
    toolBar_->addActions(settingsActions);
    toolBar_->addActions({scan, refresh});
    toolBar_->addSeparator();
    toolBar_->addActions(itemActions);
    toolBar_->addSeparator();
    toolBar_->addActions({output, buildAction, runAction});
    toolBar_->addSeparator();
    toolBar_->addAction(about);

    auto* showStatus = MakeAction("actionViewStatusBar", "&Status Bar",
                                  "Show or hide the status bar\nToggle StatusBar", {});
    showStatus->setCheckable(true);
    showStatus->setChecked(true);
    connect(showStatus, &QAction::toggled, statusBar(), &QWidget::setVisible);
    QAction* showToolbar = toolBar_->toggleViewAction();
    showToolbar->setObjectName("actionViewToolbar");
    showToolbar->setText("&Toolbar");
    showToolbar->setStatusTip("Show or hide the toolbar");
    actions_["actionViewToolbar"] = showToolbar;
    view->addActions({showStatus, showToolbar});

    // The message pane: the idle text, or a build's stage. Menu prompts show over it for as
    // long as the pointer rests on their entries.
    statusBar()->setObjectName("statusBar");
    statusMessage_ = new QLabel(ToQString(kIdleStatusText), statusBar());
    statusMessage_->setObjectName("statusMessage");
    statusBar()->addWidget(statusMessage_, 1);
}

}  // namespace nbx::app
