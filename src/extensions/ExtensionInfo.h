#pragma once
// One loaded extension library with the exports the compiler calls.

#include <string>

#include "nbx/extension.h"
#include "platform/DynamicLibrary.h"

namespace nbx {

struct ExtensionExports {
    NBX_IsInterfaceProc isInterface = nullptr;
    NBX_GetNameProc getName = nullptr;
    NBX_GetVersionProc getVersion = nullptr;
    NBX_InitProc init = nullptr;
    NBX_ExitProc exit = nullptr;
    NBX_IsRuntimeProc isRuntime = nullptr;
    NBX_InfoDlgProc infoDlg = nullptr;  // optional

    // Looks every export up; true when the six required ones are all there.
    bool Resolve(const platform::DynamicLibrary& library);
};

struct ExtensionInfo {
    platform::DynamicLibrary module;
    ExtensionExports exports;
    std::string name;
    std::string version;
    std::string path;  // as configured; the registry key, compared exactly
};

// name + " " + version + " [" + file name of path + "]"
std::string ExtensionDisplayName(const ExtensionInfo& info);

}  // namespace nbx
