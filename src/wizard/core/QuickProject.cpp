#include "wizard/core/QuickProject.h"

#include "common/CommandLine.h"
#include "common/ProgramLauncher.h"
#include "common/Prompter.h"
#include "platform/AtomicFileWriter.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"
#include "wizard/core/ImportProjectFile.h"
#include "wizard/core/InstructionsPage.h"
#include "wizard/core/ProjectFolders.h"
#include "wizard/core/ProjectType.h"
#include "wizard/core/WizardSettings.h"

namespace nbx::wizard {

namespace {

const ProjectType& TypeOf(const QuickProjectRequest& request) {
    return ProjectTypes().at(static_cast<std::size_t>(request.type));
}

ProjectPaths PathsOf(const QuickProjectRequest& request) {
    return MakeProjectPaths(request.folder, request.name, TypeOf(request).usesIncludeFolder);
}

ImportProject ProjectFileOf(const WizardAnswers& a, const ProjectPaths& paths,
                            const std::string& splashBitmap) {
    ImportProject p;
    p.book = a.book;
    p.sourceFolder = paths.sourceFolder;
    p.outputEBook = paths.outputEBook;
    p.menu = a.menu;
    p.popupMenu = a.popupMenu;
    p.statusBar = a.statusBar;
    p.toolbar = a.toolbar;
    p.toolbarPosition = a.toolbarPosition;
    p.splashBitmap = splashBitmap;
    // Every type's pages may keep their pictures in sub-folders (the instructions say so;
    // office programs save a page's pictures in a folder beside it).
    p.includeSubFolders = 1;
    return p;
}

}  // namespace

std::optional<QuickProjectFailure> CheckQuickProject(const QuickProjectRequest& request) {
    if (!IsValidProjectName(request.name)) {
        return QuickProjectFailure{
            "Project Name must contain letters, digits, underscores and spaces only.",
            QuickProjectField::Name};
    }
    if (!FitsFolderField(request.folder)) {
        return QuickProjectFailure{FolderTooLongMessage(), QuickProjectField::Folder};
    }
    if (!platform::FitsProfileLine(request.folder)) {
        return QuickProjectFailure{OneLineMessage("Folder"), QuickProjectField::Folder};
    }
    if (!IsValidWorkingFolder(request.folder)) {
        return QuickProjectFailure{"Invalid Folder Name.", QuickProjectField::Folder};
    }
    const std::string p = WorkingFolderWithSeparator(request.folder) + request.name;
    if (platform::FolderExists(p)) {
        return QuickProjectFailure{"Sorry you already have a folder called " + p +
                                       "\n\nPlease either use a different project name or "
                                       "select a different folder.",
                                   QuickProjectField::Name};
    }
    return std::nullopt;
}

std::optional<QuickProjectField> PrepareProjectFolder(const QuickProjectRequest& request,
                                                      Prompter& prompter) {
    if (const auto failure = CheckQuickProject(request)) {
        prompter.Show(failure->message, MessageIcon::Warning);
        return failure->field;
    }
    const std::string p = WorkingFolderWithSeparator(request.folder) + request.name;
    bool created = false;
    {
        BusyScope busy(prompter);
        created = TestFolderCreation(p);
    }
    if (!created) {
        prompter.Show("Could not create folder " + p, MessageIcon::Warning);
        return QuickProjectField::Folder;
    }
    SaveWorkingFolder(request.folder, prompter);
    return std::nullopt;
}

std::string CompilerCommandLine(const std::string& programFolder, const std::string& projectFile) {
    return CommandWord(platform::JoinPath(programFolder, "tamsel")) + " " +
           QuoteCommandArgument(projectFile);
}

bool MakeQuickProject(const QuickProjectRequest& request, const WizardAnswers& answers,
                      const std::string& executablePath, Prompter& prompter) {
    std::string programFolder = platform::FolderPartOfPath(executablePath);
    if (programFolder.empty()) {
        prompter.Show("Program directory can't be found.", MessageIcon::Warning);
        return false;
    }
    if (programFolder.size() > 1) {
        programFolder.pop_back();  // the separator
    }
    const ProjectType& type = TypeOf(request);
    const ProjectPaths paths = PathsOf(request);
    if (!CreateFolders(paths)) {
        prompter.Show("Folders could not be created for the project.", MessageIcon::Warning);
        return false;
    }
    const SplashOutcome splash = PrepareSplash(answers.splash, programFolder, paths);
    if (!splash.ok) {
        prompter.Show(splash.message, MessageIcon::Warning);
        return false;
    }
    if (!WriteImportProject(paths.projectFile, ProjectFileOf(answers, paths, splash.bitmapPath))) {
        prompter.Show("Could not write to " + paths.projectFile, MessageIcon::Warning);
        return false;
    }
    if (answers.launch) {
        // A compiler that does not start has told why; the project is made all the same.
        LaunchCommandLine(CompilerCommandLine(programFolder, paths.projectFile),
                          ShowState::Maximized, prompter);
    }
    if (answers.instructions) {
        const std::string page =
            ComposeInstructions({request.name, type, paths, answers.splash, answers.launch != 0});
        int error = 0;
        if (!platform::WriteFileAtomically(paths.instructionsPage, page, error)) {
            prompter.Show("The instructions file could not be written to your disk.",
                          MessageIcon::Warning);
            return false;
        }
        LaunchDocument(paths.instructionsPage, prompter);
    }
    SaveProjectType(type.name, prompter);
    if (!answers.launch && !answers.instructions) {
        prompter.Show("The project was created successfully, and can be found in the " +
                          paths.projectFolder + " folder.",
                      MessageIcon::Information);
    }
    return true;
}

}  // namespace nbx::wizard
