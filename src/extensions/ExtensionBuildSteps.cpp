#include "extensions/ExtensionBuildSteps.h"

#include <algorithm>

#include "extensions/ExtensionLoader.h"
#include "format/RecordFormat.h"
#include "platform/Paths.h"

namespace nbx {

bool AllSelectedExtensionsInstalled(const std::vector<std::string>& selected,
                                    const ExtensionRegistry& registry) {
    return std::all_of(selected.begin(), selected.end(),
                       [&](const std::string& path) { return registry.Contains(path); });
}

std::vector<EmbeddedLibrary> RuntimeLibrariesToEmbed(const std::vector<std::string>& selected,
                                                     const ExtensionRegistry& registry,
                                                     void* mainWindow) {
    std::vector<EmbeddedLibrary> out;
    for (const auto& [path, info] : registry.records()) {
        if (!IsRuntimeExtension(info, mainWindow)) {
            continue;
        }
        if (std::find(selected.begin(), selected.end(), path) != selected.end()) {
            out.push_back({record::kExtensionEntryPrefix + platform::FileNameOfPath(path), path});
        }
    }
    return out;
}

}  // namespace nbx
