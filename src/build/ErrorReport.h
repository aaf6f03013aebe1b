#pragma once
// The two message forms of a failed build. The Text functions build the message; the Report
// functions show it through the Prompter with an OK button and no icon.
//
// Closing the build's progress displays before the message is shown belongs to the caller
// that owns them.

#include <string>
#include <string_view>

namespace nbx {

class Prompter;

// "Error:\n" + title + "\n\nHow you can fix this:\n" + advice
std::string BuildErrorText(std::string_view title, std::string_view advice);

// title, then "\n\nError Occurred During:" + context when context is not empty, then
// "\n\nDetailed Error Information:" + the system's text for errorCode, then
// "\n\nPossible solution(s):\n" + solution.
std::string SystemErrorReportText(std::string_view title, std::string_view context, int errorCode,
                                  std::string_view solution);

// The system's text for an error code with its line-feed characters removed, as the build's
// messages quote it.
std::string SystemMessageForReport(int errorCode);

void ReportBuildError(Prompter& prompter, std::string_view title, std::string_view advice);
void ReportSystemError(Prompter& prompter, std::string_view title, std::string_view context,
                       int errorCode, std::string_view solution);

}  // namespace nbx
