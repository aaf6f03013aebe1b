#pragma once
// The one open document: owns the Project for its whole life and replaces it on New.

#include <memory>
#include <string>

#include "project/InstalledExtensions.h"
#include "project/Project.h"

namespace nbx {

class Prompter;

class CTamselDoc {
public:
    CTamselDoc() : project_(std::make_unique<Project>()) {}
    CTamselDoc(const CTamselDoc&) = delete;
    CTamselDoc& operator=(const CTamselDoc&) = delete;

    // Clears the path, titles the document "Untitled" and replaces the project by a fresh
    // default one that is not modified.
    bool OnNewDocument();

    // Opens a project file. On success the project is replaced, the path set and the
    // modified flag cleared. A file that is refused or not a readable project shows its
    // messages, then "Unexpected file format.", and leaves a fresh default project; a file
    // that cannot be opened at all shows the system's reason and keeps the current project.
    bool OnOpenDocument(const std::string& path, Prompter& prompter,
                        const InstalledExtensions& installed = NothingInstalled());

    // Saves the project in the newest layout through a temporary file and a rename, then
    // sets the path and clears the modified flag. A failure shows "Failed to save document."
    // with the system's reason and leaves the previous file, the path and the flag as they
    // were.
    bool OnSaveDocument(const std::string& path, Prompter& prompter);

    Project& project() { return *project_; }
    const Project& project() const { return *project_; }

    bool IsModified() const { return project_->IsModified(); }
    void SetModifiedFlag(bool modified = true) { project_->SetModified(modified); }

    const std::string& path() const { return project_->filePath; }
    const std::string& title() const { return title_; }
    // Sets the path and the title shown for it (its file name).
    void SetPath(const std::string& path);

private:
    std::unique_ptr<Project> project_;
    std::string title_ = "Untitled";
};

}  // namespace nbx
