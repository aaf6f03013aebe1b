#include "app/CMainFrame.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "app/StatusBarProgress.h"
#include "app/dialogs/OutputFileDialog.h"
#include "app/dialogs/ProgressWindow.h"
#include "appmodel/MainWindowRules.h"
#include "extensions/ExtensionLoader.h"
#include "extensions/ExtensionRegistry.h"
#include "platform/Paths.h"
#include "qtcommon/FolderChooserDialog.h"
#include "qtcommon/MessageBoxPrompter.h"
#include "qtcommon/ProgramPictures.h"
#include "qtcommon/QtText.h"

namespace nbx::app {

namespace {

QString ProjectFilter() {
    return ToQString(std::string(kProjectFileFilter)) + ";;All Files (*)";
}

}  // namespace

CMainFrame::CMainFrame(Prompter* prompter, QWidget* parent) : QMainWindow(parent) {
    setObjectName("mainFrame");
    setWindowIcon(ProgramIcon(ProgramPicture::Compiler));
    if (prompter) {
        prompter_ = prompter;
        savePrompter_ = prompter;
    } else {
        auto own = std::make_unique<MessageBoxPrompter>(ToQString(kApplicationTitle));
        own->SetParent(this);
        MessageBoxCaptions saveCaptions;
        saveCaptions.yes = "&Save";
        saveCaptions.no = "Do&n't Save";
        auto save =
            std::make_unique<MessageBoxPrompter>(ToQString(kApplicationTitle), saveCaptions);
        save->SetParent(this);
        prompter_ = own.get();
        savePrompter_ = save.get();
        ownPrompter_ = std::move(own);
        ownSavePrompter_ = std::move(save);
    }

    // The extensions come first: an extension may look at the window as it is
    // made.
    extensions_ = ProcessExtensionRegistry();
    if (extensions_) {
        LoadConfiguredExtensions(*extensions_, *prompter_, nullptr);
    }

    dialogs.openProject = [this](const std::string& start) {
        return ToUtf8(
            QFileDialog::getOpenFileName(this, "Open", ToQString(start), ProjectFilter()));
    };
    dialogs.saveProjectAs = [this](const std::string& start) {
        QFileDialog dialog(this, "Save As", ToQString(start), ProjectFilter());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix("nxp");
        return dialog.exec() == QDialog::Accepted ? ToUtf8(dialog.selectedFiles().value(0))
                                                  : std::string();
    };
    dialogs.outputFile = [this] {
        // Beside the project file when it has one.
        return ChooseOutputFile(this, "Output File", platform::FolderPartOfPath(document_.path()));
    };
    dialogs.scanFolder = [this](const std::string& start) {
        FolderChooserDialog chooser("Scan Folder",
                                    "Please select the folder containing the source files", start,
                                    *prompter_, this);
        return chooser.exec() == QDialog::Accepted ? chooser.ChosenFolder() : std::string();
    };

    view_ = new CTamselView(this);
    view_->Attach(&document_, extensions_);
    setCentralWidget(view_);
    CreateActions();
    recent_.Load();
    UpdateRecentFileMenu();
    resize(900, 600);

    connect(view_, &CTamselView::CurrentTabChanged, this, &CMainFrame::UpdateCommandStates);
    connect(view_, &CTamselView::SelectionChanged, this, &CMainFrame::UpdateCommandStates);
    connect(view_, &CTamselView::RowActivated, this,
            [this](MainTab tab) { Run([this, tab] { RowActivated(tab); }); });
    connect(view_, &CTamselView::ContextMenuRequested, this, &CMainFrame::ShowContextMenu);

    document_.OnNewDocument();
    AfterDocumentChanged();
}

CMainFrame::~CMainFrame() {
    if (extensions_) {
        UnloadExtensions(*extensions_, nullptr);
    }
}

QAction* CMainFrame::Action(const char* objectName) const {
    const auto found = actions_.find(objectName);
    return found == actions_.end() ? nullptr : found->second;
}

void CMainFrame::Run(const std::function<void()>& command) {
    if (building_ || !command) {
        return;
    }
    command();
    UpdateCommandStates();
}

void CMainFrame::UpdateTitle() {
    setWindowTitle(ToQString(MainWindowTitle(document_.title())));
}

void CMainFrame::AfterDocumentChanged() {
    view_->InitialUpdate();
    UpdateTitle();
    UpdateCommandStates();
}

bool CMainFrame::NewDocument() {
    if (!SaveModified()) {
        return false;
    }
    document_.OnNewDocument();
    AfterDocumentChanged();
    return true;
}

bool CMainFrame::OpenDocument(const std::string& path) {
    if (!SaveModified()) {
        return false;
    }
    const bool opened = document_.OnOpenDocument(
        path, prompter(),
        extensions_ ? static_cast<const InstalledExtensions&>(*extensions_) : NothingInstalled());
    AfterDocumentChanged();
    if (opened) {
        RememberDocumentPath();
    } else {
        // A project that cannot be opened leaves the recent-file list.
        recent_.Remove(path);
        recent_.Save();
        UpdateRecentFileMenu();
    }
    return opened;
}

bool CMainFrame::Save() {
    if (document_.path().empty()) {
        return SaveAs();
    }
    return document_.OnSaveDocument(document_.path(), prompter()) && RememberDocumentPath();
}

bool CMainFrame::SaveAs() {
    const std::string start = document_.path().empty() ? document_.title() : document_.path();
    const std::string path = dialogs.saveProjectAs(start);
    return !path.empty() && document_.OnSaveDocument(path, prompter()) && RememberDocumentPath();
}

bool CMainFrame::RememberDocumentPath() {
    recent_.Add(document_.path());
    recent_.Save();
    UpdateRecentFileMenu();
    UpdateTitle();
    return true;
}

bool CMainFrame::SaveModified() {
    if (!document_.IsModified()) {
        return true;
    }
    switch (savePrompter().Ask(SaveChangesQuestion(document_.title()), Buttons::YesNoCancel,
                               Answer::Yes, MessageIcon::Warning)) {
        case Answer::Yes:
            return Save();
        case Answer::No:
            return true;
        default:
            return false;
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (building_) {
        // The window closes once the build has stopped, if the person wants that.
        event->ignore();
        if (stopQuestionOpen_ || closeAfterBuild_) {
            return;
        }
        stopQuestionOpen_ = true;
        const Answer answer = prompter().Ask(
            "A build is running.\n\nDo you want to stop it and "
            "close Nimbrel E-Book Compiler?",
            Buttons::YesNo, Answer::No, MessageIcon::Question);
        stopQuestionOpen_ = false;
        if (answer == Answer::Yes && building_) {
            closeAfterBuild_ = true;
            StopBuild();
        } else if (answer == Answer::Yes) {
            close();  // the build ended while the question was open
        }
        return;
    }
    if (!SaveModified()) {
        event->ignore();
        return;
    }
    event->accept();
}

void CMainFrame::StopBuild() {
    // A series stops between its items, as its own Cancel does; a single build at
    // its next stage.
    if (seriesWindow_) {
        seriesWindow_->Cancel();
    } else if (buildProgress_) {
        buildProgress_->RequestCancel();
    }
}

void CMainFrame::StepTab(int step) {
    const int count = static_cast<int>(kMainTabCount);
    const int current = static_cast<int>(view_->CurrentTab());
    view_->ShowTab(static_cast<MainTab>((current + step + count) % count));
}

void CMainFrame::UpdateRecentFileMenu() {
    const auto& entries = recent_.entries();
    for (int i = 0; i < recentActions_.size(); ++i) {
        QAction* a = recentActions_[i];
        const bool used = static_cast<std::size_t>(i) < entries.size();
        a->setVisible(used);
        if (used) {
            // A single & in a path would make a mnemonic of the next letter.
            QString path = ToQString(entries[i]);
            path.replace(QLatin1Char('&'), QLatin1String("&&"));
            a->setText(ToQString(RecentFileMenuText(i, "")) + path);
        }
    }
    recentSeparator_->setVisible(!entries.empty());
}

void CMainFrame::UpdateCommandStates() {
    // While a build runs only the view may change: its tabs and bars.
    const MainTab tab = view_->CurrentTab();
    FileCommandState files;
    bool variable = false;
    bool items = false;
    if (!building_) {
        const Project& project = document_.project();
        files = FileCommands(project, tab, view_->SelectedRow(MainTab::Files));
        variable = VariableCommandsEnabled(project, tab, view_->SelectedRow(MainTab::Variables));
        items = ItemCommandsEnabled(tab);
    }
    for (const auto& [action, when] : enabledWhen_) {
        bool on = !building_;
        switch (when) {
            case EnabledWhen::Always:
                on = true;
                break;
            case EnabledWhen::Idle:
                break;
            case EnabledWhen::Refresh:
                on = files.refresh;
                break;
            case EnabledWhen::FileRow:
                on = files.toggleExcluded;
                break;
            case EnabledWhen::HtmlFile:
                on = files.htmlCommands;
                break;
            case EnabledWhen::AllFiles:
                on = files.allFiles;
                break;
            case EnabledWhen::Variable:
                on = variable;
                break;
            case EnabledWhen::Item:
                on = items;
                break;
        }
        action->setEnabled(on);
    }
    if (QAction* a = tabActions_.at(static_cast<std::size_t>(tab))) {
        a->setChecked(true);
    }
}

}  // namespace nbx::app
