// The main window's commands on the project: settings dialogs, the Files and Nimbrel
// Variables lists, Build, Run and Build Series, and the Help menu.

#include <QMenu>
#include <QStatusBar>

#include "app/BuildRunner.h"
#include "app/BuildSuccessfulDialog.h"
#include "app/CMainFrame.h"
#include "app/FilePropertiesDialog.h"
#include "app/StatusBarProgress.h"
#include "app/VariableDialog.h"
#include "app/dialogs/BuildSeriesDialog.h"
#include "app/dialogs/ProgressWindow.h"
#include "app/dialogs/SettingsDialogs.h"
#include "appmodel/LinkOrderCommand.h"
#include "common/ProgramFolderPath.h"
#include "common/ProgramLauncher.h"
#include "common/SiteAddress.h"
#include "compile/BuildCommand.h"
#include "compile/BuildSeries.h"
#include "extensions/ExtensionRegistry.h"
#include "project/FileListCommands.h"
#include "project/SourceFolderScan.h"
#include "qtcommon/QtText.h"
#include "variables/VariableCommands.h"

namespace nbx::app {

namespace {

std::optional<SettingsArea> AreaOf(MainTab tab) {
    switch (tab) {
        case MainTab::EBookInfo:
            return SettingsArea::EBookInfo;
        case MainTab::Icon:
            return SettingsArea::Icon;
        case MainTab::StartUp:
            return SettingsArea::StartUp;
        case MainTab::UserInterface:
            return SettingsArea::UserInterface;
        case MainTab::SystemPages:
            return SettingsArea::SystemPages;
        case MainTab::AddIns:
            return SettingsArea::AddIns;
        case MainTab::Output:
            return SettingsArea::Output;
        default:
            return std::nullopt;
    }
}

}  // namespace

void CMainFrame::EditSettings(MainTab tab, int systemPage) {
    const auto area = AreaOf(tab);
    if (!area) {
        return;
    }
    view_->ShowTab(tab);
    SettingsDialogContext context;
    context.parent = this;
    context.extensions = extensions_;
    context.systemPage = systemPage;
    if (RunSettingsDialog(*area, document_, context)) {
        view_->Rebuild(tab);
        view_->ShowTab(tab);
    }
}

void CMainFrame::RowActivated(MainTab tab) {
    switch (tab) {
        case MainTab::Files:
            FileProperties();
            break;
        case MainTab::Variables:
            VariableProperties();
            break;
        case MainTab::SystemPages:
            if (view_->SelectedRow(tab)) {
                EditSettings(tab, view_->SelectedSection());
            }
            break;
        default:
            EditSettings(tab);
    }
}

std::unique_ptr<QMenu> CMainFrame::ContextMenu(MainTab tab) {
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName("contextMenu");
    auto add = [&](const QString& text, const char* target, bool checked = false,
                   bool checkable = false) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString(target) + "Context");
        a->setCheckable(checkable);
        a->setChecked(checked);
        QAction* command = Action(target);
        connect(a, &QAction::triggered, command, [command] { command->trigger(); });
    };
    if (tab == MainTab::Files) {
        const auto row = SelectedFile();
        if (!row) {
            return nullptr;
        }
        const SourceFile& file = document_.project().files[*row];
        const bool html = document_.project().IsHtmlFile(*row);
        add("&Excluded", "actionToggleExcluded", file.excluded, true);
        if (html) {
            add("&Searchable", "actionToggleSearchable", file.searchable, true);
            add("In &Table Of Contents", "actionToggleInContents", file.inContents, true);
            add("PrePro&cessor", "actionTogglePreprocessor", file.preprocess, true);
        }
        menu->addSeparator();
        add("P&roperties...", "actionFileProperties");
        if (html) {
            menu->addSeparator();
            add("Move To T&op", "actionFileMoveToTop");
            add("Move &Up", "actionFileMoveUp");
            add("Move &Down", "actionFileMoveDown");
            add("Move To &Bottom", "actionFileMoveToBottom");
        }
        return menu;
    }
    if (tab == MainTab::Variables && SelectedVariable()) {
        add("P&roperties...", "actionVariableProperties");
        menu->addSeparator();
        add("Move To T&op", "actionVariableMoveToTop");
        add("Move &Up", "actionVariableMoveUp");
        add("Move &Down", "actionVariableMoveDown");
        add("Move To &Bottom", "actionVariableMoveToBottom");
        return menu;
    }
    return nullptr;
}

void CMainFrame::ShowContextMenu(MainTab tab, const QPoint& globalPosition) {
    if (building_) {
        return;
    }
    UpdateCommandStates();
    if (auto menu = ContextMenu(tab)) {
        menu->exec(globalPosition);
    }
}

// Files tab

std::optional<std::size_t> CMainFrame::SelectedFile() const {
    if (view_->CurrentTab() != MainTab::Files) {
        return std::nullopt;
    }
    const auto row = view_->SelectedRow(MainTab::Files);
    if (!row || *row >= document_.project().files.size()) {
        return std::nullopt;
    }
    return row;
}

bool CMainFrame::ChooseAndScanFolder() {
    view_->ShowTab(MainTab::Files);
    const std::string folder = dialogs.scanFolder(document_.project().sourceFolder);
    if (folder.empty()) {
        return false;
    }
    ScanChosenFolder(document_.project(), folder, prompter());
    view_->Rebuild(MainTab::Files);
    return true;
}

void CMainFrame::ScanFolder() {
    ChooseAndScanFolder();
}

void CMainFrame::RefreshFiles() {
    view_->ShowTab(MainTab::Files);
    RescanSourceFolder(document_.project(), true, prompter());
    view_->Rebuild(MainTab::Files);
}

void CMainFrame::FileCommand(const std::function<bool(Project&, std::size_t)>& command) {
    const auto row = SelectedFile();
    if (row && command(document_.project(), *row)) {
        view_->Rebuild(MainTab::Files);
    }
}

void CMainFrame::FileProperties() {
    const auto row = SelectedFile();
    if (!row) {
        return;
    }
    FilePropertiesDialog dialog(document_.project().files[*row], prompter(), this);
    if (dialog.exec() == QDialog::Accepted) {
        StoreFileProperties(document_.project(), *row, dialog.Edited());
        view_->Rebuild(MainTab::Files);
    }
}

void CMainFrame::AllFiles(int command) {
    view_->ShowTab(MainTab::Files);
    RunAllFilesCommand(document_.project(), static_cast<AllFilesCommand>(command), prompter(),
                       [this] { view_->Rebuild(MainTab::Files); });
}

void CMainFrame::OrderByLinks() {
    view_->ShowTab(MainTab::Files);
    RunOrderByLinksCommand(document_.project(), prompter(),
                           [this] { view_->Rebuild(MainTab::Files); });
}

// Nimbrel Variables tab

std::optional<std::size_t> CMainFrame::SelectedVariable() const {
    if (view_->CurrentTab() != MainTab::Variables) {
        return std::nullopt;
    }
    const auto row = view_->SelectedRow(MainTab::Variables);
    if (!row || *row >= document_.project().variables.size()) {
        return std::nullopt;
    }
    return row;
}

void CMainFrame::AddVariables() {
    view_->ShowTab(MainTab::Variables);
    Project& project = document_.project();
    const AddVariableDialog dialog = [this, &project](Variable& entry) {
        CAddVariableDlg box(entry, project.variables, prompter(), this);
        const int result = box.exec();
        if (result == QDialog::Rejected) {
            return AddDialogResult::Stop;
        }
        ApplyVariableDialog(box.Fields(), entry);
        return result == VariableDialog::kAddAnotherResult ? AddDialogResult::AddAnother
                                                           : AddDialogResult::Add;
    };
    bool another = true;
    while (another) {
        another = false;
        if (nbx::AddVariable(project, prompter(), dialog, another)) {
            view_->Rebuild(MainTab::Variables);
        }
    }
}

void CMainFrame::DeleteVariable() {
    const auto row = SelectedVariable();
    if (!row) {
        return;
    }
    const std::string name = document_.project().variables[*row].name;
    if (nbx::DeleteVariable(document_.project(), name, prompter())) {
        view_->Rebuild(MainTab::Variables);
    }
}

void CMainFrame::VariableProperties() {
    const auto row = SelectedVariable();
    if (!row) {
        return;
    }
    Project& project = document_.project();
    const std::string name = project.variables[*row].name;
    const EditVariableDialog dialog = [this, &project](Variable& entry) {
        CEditVariableDlg box(entry, project.variables, prompter(), this);
        if (box.exec() != QDialog::Accepted) {
            return false;
        }
        ApplyVariableDialog(box.Fields(), entry);
        return true;
    };
    if (EditVariable(project, name, prompter(), dialog)) {
        view_->Rebuild(MainTab::Variables);
    }
}

void CMainFrame::VariableMove(bool (*move)(Project&, std::size_t, Prompter&)) {
    const auto row = SelectedVariable();
    if (row && move(document_.project(), *row, prompter())) {
        view_->Rebuild(MainTab::Variables);
    }
}

// The item commands

void CMainFrame::ItemProperties() {
    if (view_->CurrentTab() == MainTab::Files) {
        FileProperties();
    } else if (view_->CurrentTab() == MainTab::Variables) {
        VariableProperties();
    }
}

void CMainFrame::ItemMove(int direction) {
    static const std::map<int, std::pair<const char*, const char*>> kTargets = {
        {-2, {"actionFileMoveToTop", "actionVariableMoveToTop"}},
        {-1, {"actionFileMoveUp", "actionVariableMoveUp"}},
        {1, {"actionFileMoveDown", "actionVariableMoveDown"}},
        {2, {"actionFileMoveToBottom", "actionVariableMoveToBottom"}},
    };
    const auto& [file, variable] = kTargets.at(direction);
    if (view_->CurrentTab() == MainTab::Files) {
        Action(file)->trigger();
    } else if (view_->CurrentTab() == MainTab::Variables) {
        Action(variable)->trigger();
    }
}

// Build menu

bool CMainFrame::RunBuild(const std::function<bool(BuildUi&)>& work, ProgressWindow* series) {
    // The project must not change under the build: the commands are off meanwhile, but the
    // tabs can still be looked at.
    building_ = true;
    UpdateCommandStates();
    bool result = false;
    {
        StatusBarProgress status(statusBar(), statusMessage_);
        status.SetCancelHandler([this] { StopBuild(); });
        buildProgress_ = &status;
        seriesWindow_ = series;
        GuiThreadPrompter prompter(*prompter_);
        GuiThreadProgress progress(status);
        std::optional<GuiThreadSeriesProgress> seriesProgress;
        if (series) {
            seriesProgress.emplace(*series);
        }
        BuildUi ui{prompter, progress, seriesProgress ? &*seriesProgress : nullptr, &session_};
        result = RunOffGuiThread([&] { return work(ui); });
        status.EndProgress();
        buildProgress_ = nullptr;
        seriesWindow_ = nullptr;
    }
    building_ = false;
    UpdateCommandStates();
    if (closeAfterBuild_) {
        // Asked while the build ran: the window closes now, after the usual save question.
        closeAfterBuild_ = false;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return false;
    }
    return result;
}

void CMainFrame::BuildCommand(bool run) {
    Project& project = document_.project();
    BuildCommandHooks hooks;
    hooks.scanFolder = [this](Project&) { return ChooseAndScanFolder(); };
    hooks.chooseOutputFile = [this](Project& p) {
        view_->ShowTab(MainTab::Output);
        const std::string path = dialogs.outputFile();
        if (path.empty()) {
            return false;
        }
        p.outputExe = path;
        p.SetModified();
        view_->Rebuild(MainTab::Output);
        return true;
    };
    const bool ready = PrepareBuildCommand(project, prompter(), hooks);
    view_->Rebuild(MainTab::Files);
    if (!ready) {
        return;
    }
    const BuildEnvironment environment = BuildEnvironment::ForThisProgram();
    const bool built =
        RunBuild([&](BuildUi& ui) { return BuildWithRebrander(project, ui, environment); });
    if (!built) {
        return;
    }
    if (run) {
        LaunchProgram(project.outputExe, ShowState::Normal, prompter());
        return;
    }
    BuildSuccessfulDialog dialog(project.outputExe,
                                 project.buildRebrander ? project.rebranderExe : std::string(),
                                 prompter(), this);
    dialog.exec();
}

void CMainFrame::BuildSeriesCommand() {
    Project& project = document_.project();
    const bool ready = PrepareSeriesCommand(project, prompter());
    view_->Rebuild(MainTab::Files);
    if (!ready) {
        return;
    }
    const BuildEnvironment environment = BuildEnvironment::ForThisProgram();
    const SeriesBuilders builders = ProgramSeriesBuilders(environment);
    std::uint64_t perBuild = 0;
    if (!RunBuild(
            [&](BuildUi& ui) { return MeasureSeriesBuild(project, ui, builders, perBuild); })) {
        return;
    }
    const auto request = RunBuildSeriesDialog(project, session_, prompter(), this);
    if (!request) {
        return;
    }
    ProgressWindow window(this);
    RunBuild([&](BuildUi& ui) { return RunSeries(project, ui, perBuild, *request, builders); },
             &window);
    view_->Rebuild(MainTab::Output);
}

// Help menu

void CMainFrame::HelpUserGuide() {
    const std::string help = ProgramFolderPath("ehelp");
    if (!help.empty()) {
        LaunchProgram(help, ShowState::Maximized, prompter());
    }
}

void CMainFrame::OpenSitePage(const char* page) {
    LaunchDocument(SitePageAddress(page), prompter());
}

}  // namespace nbx::app
