#include "compile/BuildChecks.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "compile/BuildMessages.h"
#include "platform/AsciiText.h"
#include "platform/Paths.h"
#include "project/DisplayNames.h"
#include "project/EntryName.h"

namespace nbx {

BuildError SameOutputFilesError() {
    return {"No Output E-Book EXE and Output Rebrander EXE are the same file.",
            "Click 'Output' on the 'Edit' menu and change one of the files, or turn off building "
            "the Rebrander."};
}

std::optional<BuildError> OutputPathsProblem(const Project& project) {
    if (project.outputExe.empty()) {
        return BuildError{"No Output E-Book EXE selected.",
                          "Click 'Output' on the 'Edit' menu and browse a file name for the Output "
                          "E-Book EXE to create."};
    }
    if (auto problem = OverwrittenInputProblem(project, project.outputExe, "Output E-Book EXE")) {
        return problem;
    }
    if (!project.buildRebrander) {
        return std::nullopt;
    }
    if (project.rebranderExe.empty()) {
        return BuildError{build_message::kNoRebranderExe,
                          "Click 'Output' on the 'Edit' menu, and either browse a file name for "
                          "the Output Rebrander EXE file to create, or turn off building a "
                          "Rebrander."};
    }
    if (platform::SameFile(project.rebranderExe, project.outputExe)) {
        return SameOutputFilesError();
    }
    if (auto problem =
            OverwrittenInputProblem(project, project.rebranderExe, "Output Rebrander EXE")) {
        return problem;
    }
    if (platform::FolderPartOfPath(project.rebranderExe) !=
        platform::FolderPartOfPath(project.outputExe)) {
        return BuildError{"Output E-Book EXE and Output Rebrander EXE must be in the same folder.",
                          "Click 'Output' on the 'Edit' menu and change one of the file's paths, "
                          "or turn off building the Rebrander."};
    }
    const bool anyRebrandable = std::any_of(project.variables.begin(), project.variables.end(),
                                            [](const Variable& v) { return v.canRebrand != 0; });
    if (!anyRebrandable) {
        return BuildError{
            "No rebrandable Nimbrel Variables.",
            "You have enabled building a Rebrander but there are no rebrandable Nimbrel "
            "Variables in your project.  Either turn off the Rebrander from 'Output' on the "
            "'Edit' menu, or add some rebrandable Nimbrel Variables to your project."};
    }
    return std::nullopt;
}

std::optional<BuildError> OverwrittenInputProblem(const Project& project, const std::string& output,
                                                  const std::string& outputName) {
    std::vector<std::pair<const std::string*, std::string>> inputs = {
        {&project.filePath, "the project file"},
        {&project.splashBitmap, "the Splash bitmap"},
        {&project.iconFile, "the icon file"},
    };
    for (const Variable& v : project.variables) {
        if (IsIncludeKind(v.kind)) {
            inputs.emplace_back(&v.value,
                                "the file that the Nimbrel Variable '" + v.name + "' includes");
        }
    }
    for (const auto& [path, what] : inputs) {
        if (!path->empty() && platform::SameFile(output, *path)) {
            return BuildError{outputName + " is " + what + ".",
                              "Click 'Output' on the 'Edit' menu and choose another file name "
                              "for the " +
                                  outputName + ": building would replace " + what + " (" + *path +
                                  ")."};
        }
    }
    return std::nullopt;
}

bool CheckOutputPaths(const Project& project, BuildUi& ui) {
    if (auto problem = OutputPathsProblem(project)) {
        ReportBuildError(ui, *problem);
        return false;
    }
    return true;
}

FileCensus TakeFileCensus(const Project& project) {
    FileCensus census;
    for (const auto& file : project.files) {
        if (file.excluded) {
            continue;
        }
        if (file.inContents) {
            ++census.contentsCount;
        }
        const std::string name = ToLowerAscii(EntryNameOf(project, file));
        if (name == "index.htm" || name == "index.html") {
            ++census.indexCount;
        }
        if (!census.missingFile && !platform::FileExists(file.path)) {
            census.missingFile = true;
        }
    }
    return census;
}

std::optional<BuildError> SettingsAndFilesProblem(const Project& project) {
    if (!project.windowResizable && project.initialWidth < 0) {
        return BuildError{
            "Inconsistent user interface settings.",
            "You have made your E-Book non-resizable but have not selected an initial window  "
            "size. Either make the E-Book resizable, or set a custom initial window size in the "
            "'Start Up' settings."};
    }
    if (project.files.empty()) {
        return BuildError{"No source files.",
                          "Create a folder containing the source files for your E-Book, then click "
                          "'Scan Folder' on the 'Edit' menu to add your files."};
    }
    if (project.CountExcludedFiles() == static_cast<int>(project.files.size())) {
        return BuildError{"No source files in E-Book.",
                          "You have excluded all files from the output, change this so some files "
                          "are included in your E-Book."};
    }
    return std::nullopt;
}

std::optional<BuildError> CensusProblem(const Project& project, const FileCensus& census) {
    if (census.indexCount == 0) {
        return BuildError{
            "No index page or index page excluded.",
            "Add file a called index.html or index.htm to the source folder, and then click "
            "'Refresh Files' on the 'Edit' menu. If you already have an index file, make sure it "
            "is not excluded from your E-Book."};
    }
    if (census.indexCount > 1) {
        return BuildError{
            "More than 1 index page.",
            "You have more than one file called index.html or index.htm in your source folder.  "
            "Remove or rename all but 1 of these files, and then click 'Refresh Files' on the "
            "'Edit' menu, or exclude the version(s) that you don't want."};
    }
    if (census.missingFile) {
        return BuildError{"Missing File.",
                          "The project includes files which no longer exist.  Click 'Refresh "
                          "Files' on the 'Edit' menu."};
    }
    if (auto about = OwnPageProblem(project, project.aboutPage, project.aboutFile, "About")) {
        return about;
    }
    return OwnPageProblem(project, project.contentsPage, project.contentsFile, "Table Of Contents");
}

std::optional<BuildError> OwnPageProblem(const Project& project, std::int32_t kind,
                                         const std::string& file, const std::string& pageName) {
    if (kind != kSystemPageOwn) {
        return std::nullopt;
    }
    int result = 2;  // not found
    if (file.empty()) {
        result = 1;
    } else if (!project.files.empty()) {
        for (const auto& entry : project.files) {
            if (EntryNameOf(project, entry) == file) {
                if (!entry.excluded) {
                    return std::nullopt;
                }
                result = 3;  // found, but excluded; a later entry may still pass
            }
        }
    }
    const std::string start = "The " + pageName + " page is set to 'My Own Page', but ";
    const std::string advice =
        "Click 'System Pages' on the 'Edit' menu. A dialog box will be displayed: On the " +
        pageName +
        " page, either select a file, or change to a different setting than 'My Own "
        "Page'.";
    switch (result) {
        case 1:
            return BuildError{start + "no file has been selected.", advice};
        case 2:
            return BuildError{
                start + "the file that was selected is no longer part of this project.", advice};
        default:
            return BuildError{
                start + "the file that is selected has been excluded from the E-Book.",
                advice +
                    " Or, alternatively, go the Files tab and remove the "
                    "Excluded setting from " +
                    file + "."};
    }
}

}  // namespace nbx
