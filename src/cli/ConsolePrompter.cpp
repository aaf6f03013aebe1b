#include "cli/ConsolePrompter.h"

#include <cstdio>
#include <string>

#include "cli/ConsoleProgress.h"
#include "common/VisibleText.h"

namespace nbx::cli {

void ConsolePrompter::Show(std::string_view text, MessageIcon) {
    EndProgressLine(console_);
    console_.err << WithVisibleControls(text, LineBreaks::Keep) << "\n\n" << std::flush;
}

Answer ConsolePrompter::Ask(std::string_view text, Buttons buttons, Answer defaultAnswer,
                            MessageIcon) {
    EndProgressLine(console_);
    console_.err << WithVisibleControls(text, LineBreaks::Keep) << "\n";
    if (forced_) {
        const Answer a = *forced_ ? Answer::Yes : Answer::No;
        console_.err << (a == Answer::Yes ? "[yes]" : "[no]") << "\n\n" << std::flush;
        return a;
    }
    if (!console_.inIsTerminal) {
        console_.err << "["
                     << (defaultAnswer == Answer::Yes  ? "yes"
                         : defaultAnswer == Answer::No ? "no"
                                                       : "cancel")
                     << "]\n\n"
                     << std::flush;
        return defaultAnswer;
    }
    const bool withCancel = buttons == Buttons::YesNoCancel;
    for (;;) {
        console_.err << (withCancel ? "(y)es, (n)o or (c)ancel? " : "(y)es or (n)o? ")
                     << std::flush;
        std::string line;
        if (!std::getline(console_.in, line)) {
            console_.err << "\n";
            return defaultAnswer;
        }
        if (line.empty()) {
            return defaultAnswer;
        }
        const char c = static_cast<char>(line[0] | 0x20);
        if (c == 'y') {
            return Answer::Yes;
        }
        if (c == 'n') {
            return Answer::No;
        }
        if (c == 'c' && withCancel) {
            return Answer::Cancel;
        }
    }
}

}  // namespace nbx::cli
