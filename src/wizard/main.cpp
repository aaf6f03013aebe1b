// nbxkwik: the Quick Project wizard. With --batch it runs without windows, its answers given
// as options and its messages written to stderr.

#include <iostream>
#include <string>
#include <vector>

#include "common/Prompter.h"
#include "common/VisibleText.h"
#include "platform/ExecutablePath.h"
#include "wizard/core/BatchRun.h"

#ifndef NBX_WIZARD_BATCH_ONLY
#include <QApplication>

#include "qtcommon/ProgramPictures.h"
#include "wizard/QuickProjectDialog.h"
#endif

namespace {

// Messages on stderr, one per paragraph, with any control character in them (a remembered
// folder, say) shown rather than sent; nothing here asks a question.
class StderrPrompter final : public nbx::Prompter {
public:
    void Show(std::string_view text, nbx::MessageIcon) override {
        std::cerr << nbx::WithVisibleControls(text, nbx::LineBreaks::Keep) << "\n\n" << std::flush;
    }
    nbx::Answer Ask(std::string_view text, nbx::Buttons, nbx::Answer defaultAnswer,
                    nbx::MessageIcon) override {
        Show(text, nbx::MessageIcon::Question);
        return defaultAnswer;
    }
};

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    // Before any window: the usage needs no display.
    if (nbx::wizard::AsksForHelp(args)) {
        std::cout << nbx::wizard::WizardUsage();
        return 0;
    }
    if (!args.empty() && args[0] == "--batch") {
        StderrPrompter prompter;
        return nbx::wizard::RunBatch({args.begin() + 1, args.end()},
                                     nbx::platform::ExecutablePath(), prompter);
    }
#ifdef NBX_WIZARD_BATCH_ONLY
    std::cerr << nbx::wizard::WizardUsage();
    return 2;
#else
    QApplication app(argc, argv);
    // The window system has taken its own options; the windows take no others.
    if (argc > 1) {
        std::cerr << "nbxkwik: unexpected argument '" << argv[1] << "'\n"
                  << nbx::wizard::WizardUsage();
        return 2;
    }
    QApplication::setWindowIcon(nbx::ProgramIcon(nbx::ProgramPicture::Wizard));
    QGuiApplication::setDesktopFileName("nbxkwik");
    nbx::wizard::CQuickProjectDlg dialog;
    dialog.exec();
    return 0;
#endif
}
