#pragma once
// The one open document: owns the Project for its whole life and replaces it on New.

#include <memory>
#include <string>

#include "project/Project.h"

namespace nbx {

class CTamselDoc {
public:
    CTamselDoc() : project_(std::make_unique<Project>()) {}
    CTamselDoc(const CTamselDoc&) = delete;
    CTamselDoc& operator=(const CTamselDoc&) = delete;

    // Clears the path, titles the document "Untitled" and replaces the project by a fresh
    // default one that is not modified.
    bool OnNewDocument();

    Project& project() { return *project_; }
    const Project& project() const { return *project_; }

    bool IsModified() const { return project_->IsModified(); }
    void SetModifiedFlag(bool modified = true) { project_->SetModified(modified); }

    const std::string& path() const { return path_; }
    const std::string& title() const { return title_; }
    // Sets the path and the title shown for it (its file name).
    void SetPath(const std::string& path);

private:
    std::unique_ptr<Project> project_;
    std::string path_;
    std::string title_ = "Untitled";
};

}  // namespace nbx
