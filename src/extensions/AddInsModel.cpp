#include "extensions/AddInsModel.h"

#include "common/Prompter.h"
#include "extensions/ExtensionLoader.h"
#include "platform/AsciiText.h"
#include "platform/Paths.h"
#include "project/Project.h"

namespace nbx {

namespace {
constexpr const char* kLoad = "Load";
constexpr const char* kError = "Error";

std::string Trimmed(std::string_view text) {
    return std::string(TrimAsciiWhiteSpace(text));
}
}  // namespace

AddInsModel::AddInsModel(const Project& project, const ExtensionRegistry& registry,
                         void* mainWindow)
    : onStart(Trimmed(project.onStart)),
      onExit(Trimmed(project.onExit)),
      registry_(registry),
      sourceFolder_(project.sourceFolder) {
    for (const auto& [path, info] : registry.records()) {
        if (!IsRuntimeExtension(info, mainWindow)) {
            continue;
        }
        rows_.push_back({AddInRowKind::Available, path, platform::FileNameOfPath(path),
                         project.FindExtension(path) >= 0 ? kLoad : "",
                         ExtensionDisplayName(info)});
    }
    for (const auto& path : project.extensions) {
        if (!registry.Contains(path)) {
            const std::string module = platform::FileNameOfPath(path);
            rows_.push_back(
                {AddInRowKind::Missing, path, module, kError, module + " could not be found"});
        }
    }
}

AddInButtons AddInsModel::Buttons(std::optional<std::size_t> selected) const {
    if (!selected || *selected >= rows_.size()) {
        return {};
    }
    const std::string& load = rows_[*selected].load;
    return {load.empty(), load == kLoad, load != kError};
}

void AddInsModel::Add(std::size_t row) {
    if (row < rows_.size() && rows_[row].load.empty()) {
        rows_[row].load = kLoad;
    }
}

void AddInsModel::Remove(std::size_t row) {
    if (row < rows_.size() && rows_[row].load == kLoad) {
        rows_[row].load.clear();
    }
}

void AddInsModel::Toggle(std::size_t row) {
    if (row >= rows_.size() || rows_[row].load == kError) {
        return;
    }
    rows_[row].load = rows_[row].load.empty() ? kLoad : "";
}

void AddInsModel::Info(std::size_t row, Prompter& prompter, void* dialogWindow) const {
    if (row >= rows_.size()) {
        return;
    }
    const ExtensionInfo* info = registry_.Find(rows_[row].path);
    if (!info) {
        prompter.Show("Extension could not be found", MessageIcon::Warning);
        return;
    }
    if (CallExtensionInfo(*info, dialogWindow, rows_[row].load == kLoad, sourceFolder_) == 0) {
        prompter.Show("Module:\n" + platform::FileNameOfPath(info->path) + "\n\nDescription:\n" +
                          info->name + "\n\nVersion:\n" + info->version,
                      MessageIcon::Information);
    }
}

std::vector<std::string> AddInsModel::Accept(Prompter& prompter) const {
    std::vector<std::string> chosen;
    bool droppedMissing = false;
    for (const auto& row : rows_) {
        if (row.load == kLoad) {
            chosen.push_back(row.path);
        }
        droppedMissing = droppedMissing || row.load == kError;
    }
    if (droppedMissing) {
        prompter.Show("Those extensions which could not be found have been removed.",
                      MessageIcon::Information);
    }
    return chosen;
}

void AddInsModel::ApplyTo(Project& project, Prompter& prompter) const {
    project.extensions = Accept(prompter);
    project.onStart = Trimmed(onStart);
    project.onExit = Trimmed(onExit);
    project.SetModified();
}

}  // namespace nbx
