#include "project/CTamselDoc.h"

#include <filesystem>

#include "common/Prompter.h"
#include "platform/Paths.h"
#include "platform/SystemError.h"
#include "project/ProjectFileReader.h"
#include "project/ProjectFileWriter.h"

namespace nbx {

bool CTamselDoc::OnNewDocument() {
    title_ = "Untitled";
    project_ = std::make_unique<Project>();
    return true;
}

bool CTamselDoc::OnOpenDocument(const std::string& path, Prompter& prompter,
                                const InstalledExtensions& installed) {
    auto loaded = std::make_unique<Project>();
    const ProjectLoadResult result = LoadProjectFile(path, *loaded, prompter, installed);
    switch (result.status) {
        case ProjectLoadStatus::Loaded:
            project_ = std::move(loaded);
            project_->SetModified(false);
            SetPath(path);
            return true;
        case ProjectLoadStatus::CannotRead:
            prompter.Show("Failed to open document.\n\n" + path + "\n" +
                          platform::SystemErrorText(result.errorCode));
            return false;
        case ProjectLoadStatus::Rejected:
            break;
    }
    // A fresh default project replaces the open one, which is not asked about.
    OnNewDocument();
    prompter.Show("Unexpected file format.");
    return false;
}

bool CTamselDoc::OnSaveDocument(const std::string& path, Prompter& prompter) {
    int error = 0;
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec).lexically_normal();
    if (!SaveProjectFile(path, WithPathsRelativeAgain(*project_, full.parent_path().string()),
                         error)) {
        prompter.Show("Failed to save document.\n\n" + path + "\n" +
                      platform::SystemErrorText(error));
        return false;
    }
    SetPath(path);
    SetModifiedFlag(false);
    return true;
}

void CTamselDoc::SetPath(const std::string& path) {
    project_->filePath = path;
    title_ = path.empty() ? std::string("Untitled") : platform::FileNameOfPath(path);
}

}  // namespace nbx
