// tamsel: the windowed e-book compiler.

#include <QApplication>
#include <iostream>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/TamselStart.h"
#include "appmodel/TamselArguments.h"
#include "common/ProgramLauncher.h"
#include "extensions/ExtensionRegistry.h"
#include "qtcommon/ProgramPictures.h"

int main(int argc, char** argv) {
    // The usage needs no display.
    if (nbx::AsksForHelp(std::vector<std::string>(argv + 1, argv + argc))) {
        std::cout << nbx::TamselUsage();
        return 0;
    }
    const bool maximized = nbx::TakeShowMaximizedRequest();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Nimbrel E-Book Compiler");
    QApplication::setWindowIcon(nbx::ProgramIcon(nbx::ProgramPicture::Compiler));
    // The desktop matches the windows to tamsel.desktop and its icon.
    QGuiApplication::setDesktopFileName("tamsel");
    // The window system has taken its own options out of argv.
    const nbx::TamselArguments arguments =
        nbx::ParseTamselArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!arguments.error.empty()) {
        std::cerr << arguments.error << "\n" << nbx::TamselUsage();
        return 2;
    }
    int result = 0;
    {
        auto frame = nbx::app::StartMainFrame(arguments.project);
        if (maximized) {
            frame->showMaximized();
        } else {
            frame->show();
        }
        result = QApplication::exec();
    }
    nbx::DestroyProcessExtensionRegistry();
    return result;
}
