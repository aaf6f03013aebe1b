#pragma once
// The two message forms of a failed build: a title with advice, and a title with the system's
// own text for a failed call. Reporting through a BuildUi closes the build's progress
// displays first; reporting through a bare Prompter leaves them to its caller.

#include <string>
#include <string_view>

#include "compile/BuildProgress.h"

namespace nbx {

class Prompter;
struct BuildSession;

struct BuildError {
    std::string title;
    std::string advice;

    bool operator==(const BuildError&) const = default;
};

// What a build reports through: messages, the stage display, and the series window if any;
// and what it remembers for later builds of the project (null: nothing is remembered).
struct BuildUi {
    Prompter& prompter;
    BuildProgress& progress;
    SeriesProgress* series = nullptr;
    BuildSession* session = nullptr;
};

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

// The same, after closing the series window and the stage display.
void ReportBuildError(BuildUi& ui, std::string_view title, std::string_view advice);
inline void ReportBuildError(BuildUi& ui, const BuildError& error) {
    ReportBuildError(ui, error.title, error.advice);
}
void ReportSystemError(BuildUi& ui, std::string_view title, std::string_view context, int errorCode,
                       std::string_view solution);
// Closes the series window and the stage display, as a report does before its message.
void CloseBuildDisplays(BuildUi& ui);

}  // namespace nbx
