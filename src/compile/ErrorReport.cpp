#include "compile/ErrorReport.h"

#include <algorithm>

#include "common/Prompter.h"
#include "platform/SystemError.h"

namespace nbx {

std::string BuildErrorText(std::string_view title, std::string_view advice) {
    std::string text = "Error:\n";
    text += title;
    text += "\n\nHow you can fix this:\n";
    text += advice;
    return text;
}

std::string SystemMessageForReport(int errorCode) {
    std::string text = platform::SystemErrorText(errorCode);
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    return text;
}

std::string SystemErrorReportText(std::string_view title, std::string_view context, int errorCode,
                                  std::string_view solution) {
    std::string text(title);
    if (!context.empty()) {
        text += "\n\nError Occurred During:";
        text += context;
    }
    text += "\n\nDetailed Error Information:";
    text += SystemMessageForReport(errorCode);
    text += "\n\nPossible solution(s):\n";
    text += solution;
    return text;
}

void ReportBuildError(Prompter& prompter, std::string_view title, std::string_view advice) {
    prompter.Show(BuildErrorText(title, advice), MessageIcon::None);
}

void ReportSystemError(Prompter& prompter, std::string_view title, std::string_view context,
                       int errorCode, std::string_view solution) {
    prompter.Show(SystemErrorReportText(title, context, errorCode, solution), MessageIcon::None);
}

void CloseBuildDisplays(BuildUi& ui) {
    if (ui.series) {
        ui.series->Close();
    }
    ui.progress.EndProgress();
}

void ReportBuildError(BuildUi& ui, std::string_view title, std::string_view advice) {
    CloseBuildDisplays(ui);
    ReportBuildError(ui.prompter, title, advice);
}

void ReportSystemError(BuildUi& ui, std::string_view title, std::string_view context, int errorCode,
                       std::string_view solution) {
    CloseBuildDisplays(ui);
    ReportSystemError(ui.prompter, title, context, errorCode, solution);
}

}  // namespace nbx
