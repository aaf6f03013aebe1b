// Windows: the shell opens files and addresses with the user's default programs. The reader
// hands the shell its launch file, an HTML page, which the default browser opens.
#ifdef _WIN32

#include <shellapi.h>

#include "platform/BrowserLauncher.h"

namespace nbx::platform {

std::vector<std::string> BrowserCommand(const std::string& url, const BrowserWindow&,
                                        const std::string&, const std::string&) {
    return {url};
}

bool IsChromiumFamily(const std::string&) {
    return false;
}

bool OpenWithDesktop(const std::string& path) {
    // Above 32 is success; the shell names no reason the reader could act on.
    const auto result = reinterpret_cast<INT_PTR>(::ShellExecuteW(
        nullptr, L"open", Utf8ToWide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

bool StartDetached(const std::vector<std::string>& command) {
    return command.size() == 1 && OpenWithDesktop(command[0]);
}

}  // namespace nbx::platform

#endif  // _WIN32
