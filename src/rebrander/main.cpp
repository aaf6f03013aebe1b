// rebrand: the Rebrander. A Rebrander program is this program with a record naming its
// e-book joined to its end, so it reads its own file to learn which e-book to work on.
//
// With --set or --list it works without a window (and without a display); otherwise it
// opens its window.

#include <iostream>
#include <string>
#include <vector>

#include "platform/ExecutablePath.h"
#include "rebranding/RebrandCommand.h"

#ifndef NBX_REBRAND_CONSOLE_ONLY
#include <QApplication>

#include "qtcommon/MessageBoxPrompter.h"
#include "qtcommon/SystemPlugins.h"
#include "rebrander/RebranderWindow.h"
#include "rebranding/EBookRebrander.h"
#endif

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const std::string self = nbx::platform::ExecutablePath();
#ifdef NBX_REBRAND_CONSOLE_ONLY
    if (!nbx::IsRebrandCommandLine(arguments)) {
        std::cerr << "rebrand: this build has no window; use --list or --set\n";
        return 2;
    }
    return nbx::RunRebrandCommand(self, arguments, std::cout, std::cerr);
#else
    if (nbx::IsRebrandCommandLine(arguments)) {
        return nbx::RunRebrandCommand(self, arguments, std::cout, std::cerr);
    }
    std::string refused;
    if (!nbx::UseSystemPluginsOnly(refused)) {
        std::cerr << refused << "\n";
        return 1;
    }
    QApplication app(argc, argv);
    nbx::MessageBoxPrompter prompter;
    nbx::EBookRebrander rebrander;
    if (!rebrander.ReadRebrander(self)) {
        prompter.SetTitle(QStringLiteral("Rebrander"));
        prompter.Show(rebrander.error(), nbx::MessageIcon::Error);
        return 1;
    }
    nbx::RebranderWindow window(rebrander, prompter);
    prompter.SetParent(&window);
    prompter.SetTitle(window.windowTitle());
    window.show();
    const int status = app.exec();
    return window.failed() ? 1 : status;
#endif
}
