#pragma once
// The two forms of build failure messages: a title with advice, and a title with the
// system's own text for a failed call. Reporting one closes the progress displays first.

#include <string>

#include "build/BuildProgress.h"

namespace nbx {

class Prompter;

struct BuildError {
    std::string title;
    std::string advice;

    bool operator==(const BuildError&) const = default;
};

// What a build reports through: messages, the stage display, and the series window if any.
struct BuildUi {
    Prompter& prompter;
    BuildProgress& progress;
    SeriesProgress* series = nullptr;
};

// "Error:\n" + title + "\n\nHow you can fix this:\n" + advice
std::string BuildErrorText(const std::string& title, const std::string& advice);

// title [+ "\n\nError Occurred During:" + context] + "\n\nDetailed Error Information:" +
// the system's text for errorCode without line feeds + "\n\nPossible solution(s):\n" + solution
std::string SystemErrorText(const std::string& title, const std::string& context, int errorCode,
                            const std::string& solution);

// The system's text for errorCode with its line feeds removed.
std::string SystemErrorLine(int errorCode);

void ReportBuildError(BuildUi& ui, const std::string& title, const std::string& advice);
inline void ReportBuildError(BuildUi& ui, const BuildError& error) {
    ReportBuildError(ui, error.title, error.advice);
}
void ReportSystemError(BuildUi& ui, const std::string& title, const std::string& context,
                       int errorCode, const std::string& solution);

}  // namespace nbx
