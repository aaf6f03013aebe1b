#include "project/CTamselDoc.h"

#include "platform/Paths.h"

namespace nbx {

bool CTamselDoc::OnNewDocument() {
    path_.clear();
    title_ = "Untitled";
    project_ = std::make_unique<Project>();
    return true;
}

void CTamselDoc::SetPath(const std::string& path) {
    path_ = path;
    title_ = path.empty() ? std::string("Untitled") : platform::FileNameOfPath(path);
}

}  // namespace nbx
