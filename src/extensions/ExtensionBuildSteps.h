#pragma once
// What the build asks of the extensions: are all selected ones installed, and which library
// files go into the e-book.

#include <string>
#include <vector>

#include "extensions/ExtensionRegistry.h"

namespace nbx {

inline constexpr const char* kMissingExtensionsTitle =
    "This project contains references to Extensions which are not installed on this PC.";
inline constexpr const char* kMissingExtensionsAdvice =
    "Click 'Add-Ins' on the 'Edit' menu. You will see a dialog which allows you to select which "
    "extensions are loaded into your E-Book. When you click OK on this dialog, all missing "
    "extensions are removed from the project.";

// True when every selected extension is in the registry.
bool AllSelectedExtensionsInstalled(const std::vector<std::string>& selected,
                                    const ExtensionRegistry& registry);

struct EmbeddedLibrary {
    std::string entryName;  // "__nxa__" + the library's file name
    std::string path;
};

// The selected run-time extensions in registry order. Two libraries with the same file name
// in different folders give two entries of the same name.
std::vector<EmbeddedLibrary> RuntimeLibrariesToEmbed(const std::vector<std::string>& selected,
                                                     const ExtensionRegistry& registry,
                                                     void* mainWindow);

}  // namespace nbx
