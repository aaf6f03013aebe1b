#include "build/ErrorReport.h"

#include "common/Prompter.h"
#include "platform/SystemError.h"

namespace nbx {

namespace {
void CloseDisplays(BuildUi& ui) {
    if (ui.series) {
        ui.series->Close();
    }
    ui.progress.EndProgress();
}
}  // namespace

std::string BuildErrorText(const std::string& title, const std::string& advice) {
    return "Error:\n" + title + "\n\nHow you can fix this:\n" + advice;
}

std::string SystemErrorLine(int errorCode) {
    std::string text = platform::SystemErrorText(errorCode);
    std::erase(text, '\n');
    return text;
}

std::string SystemErrorText(const std::string& title, const std::string& context, int errorCode,
                            const std::string& solution) {
    std::string text = title;
    if (!context.empty()) {
        text += "\n\nError Occurred During:" + context;
    }
    text += "\n\nDetailed Error Information:" + SystemErrorLine(errorCode);
    text += "\n\nPossible solution(s):\n" + solution;
    return text;
}

void ReportBuildError(BuildUi& ui, const std::string& title, const std::string& advice) {
    CloseDisplays(ui);
    ui.prompter.Show(BuildErrorText(title, advice), MessageIcon::None);
}

void ReportSystemError(BuildUi& ui, const std::string& title, const std::string& context,
                       int errorCode, const std::string& solution) {
    CloseDisplays(ui);
    ui.prompter.Show(SystemErrorText(title, context, errorCode, solution), MessageIcon::None);
}

}  // namespace nbx
