#pragma once
// Loading, calling and unloading extension libraries. Every call passes the window handle
// the caller knows at that moment (null in the console compiler and during start-up).

#include <string>
#include <vector>

#include "extensions/ExtensionRegistry.h"

namespace nbx {

class Prompter;

inline constexpr const char* kExtensionConfigFile = "nbxconfig.ini";

// The LOAD values of every section of "nbxconfig.ini" whose name begins with "EXTENSION"
// (in any letter case), in file order, trimmed; blank values are left out.
std::vector<std::string> ConfiguredExtensionPaths();

// Loads each configured extension; failures show their messages and are skipped.
void LoadConfiguredExtensions(ExtensionRegistry& registry, Prompter& prompter, void* mainWindow);

// Loads the library, checks its exports, reads its name and version, registers it and calls
// NBX_Init. False after showing path + " could not be loaded." or
// path + " is not an Nimbrel E-Book Extension library.".
bool LoadExtension(ExtensionRegistry& registry, const std::string& path, Prompter& prompter,
                   void* mainWindow);

// Calls NBX_Exit of every record, unloads the libraries and empties the registry.
void UnloadExtensions(ExtensionRegistry& registry, void* mainWindow);

// NBX_IsRuntime(4, 22) answered non-zero.
bool IsRuntimeExtension(const ExtensionInfo& info, void* mainWindow);

// NBX_InfoDlg's answer; 0 when the library does not export it.
int CallExtensionInfo(const ExtensionInfo& info, void* dialogWindow, bool loaded,
                      const std::string& sourceFolder);

// The compiler's single host service, handed to every extension call.
NBX_HostGetFuncProc HostGetFunc();

}  // namespace nbx
