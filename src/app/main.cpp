// tamsel: the windowed e-book compiler.

#include <QApplication>

#include "app/CMainFrame.h"
#include "app/TamselStart.h"
#include "extensions/ExtensionRegistry.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Nimbrel E-Book Compiler");
    int result = 0;
    {
        auto frame = nbx::app::StartMainFrame(argc, argv);
        frame->show();
        result = QApplication::exec();
    }
    nbx::DestroyProcessExtensionRegistry();
    return result;
}
