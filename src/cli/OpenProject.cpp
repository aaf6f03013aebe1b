#include "cli/OpenProject.h"

#include "extensions/ExtensionRegistry.h"

namespace nbx::cli {

bool OpenProject(CTamselDoc& doc, const std::string& path, Prompter& prompter) {
    return doc.OnOpenDocument(path, prompter, *ProcessExtensionRegistry());
}

}  // namespace nbx::cli
