#include "extensions/ExtensionInfo.h"

#include "platform/Paths.h"

namespace nbx {

namespace {
template <typename Proc>
void Look(const platform::DynamicLibrary& library, const char* name, Proc& out) {
    out = reinterpret_cast<Proc>(library.Symbol(name));
}
}  // namespace

bool ExtensionExports::Resolve(const platform::DynamicLibrary& library) {
    Look(library, "NBX_IsInterface", isInterface);
    Look(library, "NBX_GetName", getName);
    Look(library, "NBX_GetVersion", getVersion);
    Look(library, "NBX_Init", init);
    Look(library, "NBX_Exit", exit);
    Look(library, "NBX_IsRuntime", isRuntime);
    Look(library, "NBX_InfoDlg", infoDlg);
    return isInterface && getName && getVersion && init && exit && isRuntime;
}

std::string ExtensionDisplayName(const ExtensionInfo& info) {
    return info.name + " " + info.version + " [" + platform::FileNameOfPath(info.path) + "]";
}

}  // namespace nbx
