#include "extensions/ExtensionLoader.h"

#include <cstring>

#include "common/Prompter.h"
#include "platform/AsciiText.h"
#include "platform/ProfileFile.h"

extern "C" NBX_EXPORT int32_t NBX_HostGetFunc(void*, const char*) {
    return 0;  // no host services are offered
}

namespace nbx {

namespace {

constexpr std::size_t kSectionNamesBufferSize = 32768;
constexpr std::size_t kMaxLoadValue = 255;
constexpr int32_t kCompilerMajor = 4;
constexpr int32_t kCompilerMinor = 22;

bool StartsWithExtension(const std::string& sectionName) {
    static constexpr char kPrefix[] = "EXTENSION";
    const std::size_t n = sizeof kPrefix - 1;
    if (sectionName.size() < n) {
        return false;
    }
    for (std::size_t i = 0; i < n; ++i) {
        char c = sectionName[i];
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        if (c != kPrefix[i]) {
            return false;
        }
    }
    return true;
}

std::string ReadNameBuffer(NBX_GetNameProc proc, void* mainWindow) {
    char buffer[NBX_NAME_BUFFER_SIZE] = {};
    proc(nullptr, HostGetFunc(), mainWindow, buffer);
    buffer[NBX_NAME_BUFFER_SIZE - 1] = '\0';  // a library that fills all 256 bytes is cut
    return buffer;
}

}  // namespace

NBX_HostGetFuncProc HostGetFunc() {
    return &NBX_HostGetFunc;
}

std::vector<std::string> ConfiguredExtensionPaths() {
    std::vector<std::string> paths;
    for (const auto& section :
         platform::ListProfileSections(kExtensionConfigFile, kSectionNamesBufferSize)) {
        if (!StartsWithExtension(section)) {
            continue;
        }
        // The value is cut at kMaxLoadValue bytes, which may end it in blanks.
        std::string value(TrimAsciiWhiteSpace(
            platform::ReadProfileString(kExtensionConfigFile, section, "LOAD", "", kMaxLoadValue)));
        if (!value.empty()) {
            paths.push_back(std::move(value));
        }
    }
    return paths;
}

void LoadConfiguredExtensions(ExtensionRegistry& registry, Prompter& prompter, void* mainWindow) {
    for (const auto& path : ConfiguredExtensionPaths()) {
        LoadExtension(registry, path, prompter, mainWindow);
    }
}

bool LoadExtension(ExtensionRegistry& registry, const std::string& path, Prompter& prompter,
                   void* mainWindow) {
    ExtensionInfo info;
    if (!info.module.Open(path)) {
        prompter.Show(path + " could not be loaded.", MessageIcon::Warning);
        return false;
    }
    if (!info.exports.Resolve(info.module)) {
        prompter.Show(path + " is not an Nimbrel E-Book Extension library.", MessageIcon::Warning);
        return false;  // the library is unloaded with `info`
    }
    info.path = path;
    info.name = ReadNameBuffer(info.exports.getName, mainWindow);
    info.version = ReadNameBuffer(info.exports.getVersion, mainWindow);
    const NBX_InitProc init = info.exports.init;
    registry.Store(std::move(info));
    init(nullptr, HostGetFunc(), mainWindow);
    return true;
}

void UnloadExtensions(ExtensionRegistry& registry, void* mainWindow) {
    for (auto& [path, info] : registry.records()) {
        if (info.module.IsOpen() && info.exports.exit) {
            info.exports.exit(nullptr, HostGetFunc(), mainWindow);
        }
        info.module.Close();
    }
    registry.records().clear();
}

bool IsRuntimeExtension(const ExtensionInfo& info, void* mainWindow) {
    return info.exports.isRuntime && info.exports.isRuntime(nullptr, HostGetFunc(), mainWindow,
                                                            kCompilerMajor, kCompilerMinor) != 0;
}

int CallExtensionInfo(const ExtensionInfo& info, void* dialogWindow, bool loaded,
                      const std::string& sourceFolder) {
    if (!info.exports.infoDlg) {
        return 0;
    }
    return info.exports.infoDlg(nullptr, HostGetFunc(), dialogWindow, loaded ? 1 : 0,
                                sourceFolder.c_str());
}

}  // namespace nbx
