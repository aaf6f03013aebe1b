#include "app/TamselStart.h"

#include <QDesktopServices>
#include <QUrl>
#include <filesystem>

#include "app/CMainFrame.h"
#include "common/ProgramLauncher.h"
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

std::unique_ptr<CMainFrame> StartMainFrame(int argc, char** argv) {
    RecordCompilerPath();
    // Web pages open in the desktop's browser through Qt.
    SetDocumentOpener([](const std::string& target) {
        return QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(target))) ? 33
                                                                                              : 31;
    });
    auto frame = std::make_unique<CMainFrame>();
    if (argc > 1) {
        std::error_code ec;
        const std::string path = std::filesystem::absolute(argv[1], ec).lexically_normal().string();
        frame->OpenDocument(ec ? std::string(argv[1]) : path);
    }
    return frame;
}

}  // namespace nbx::app
