#include "app/TamselStart.h"

#include <filesystem>

#include "app/CMainFrame.h"
#include "platform/ConfigFolder.h"
#include "platform/ExecutablePath.h"
#include "platform/ProfileFile.h"

namespace nbx::app {

bool RecordCompilerPath() {
    std::error_code ec;
    std::filesystem::create_directories(platform::ConfigFolder(), ec);
    return platform::WriteProfileString("nbxconfig.ini", "PROGRAM", "COMPILER",
                                        platform::ExecutablePath());
}

std::unique_ptr<CMainFrame> StartMainFrame(const std::string& project) {
    RecordCompilerPath();
    auto frame = std::make_unique<CMainFrame>();
    if (!project.empty()) {
        std::error_code ec;
        const std::string path = std::filesystem::absolute(project, ec).lexically_normal().string();
        frame->OpenDocument(ec ? project : path);
    }
    return frame;
}

}  // namespace nbx::app
