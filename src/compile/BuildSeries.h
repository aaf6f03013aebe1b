#pragma once
// Build Series: many numbered copies of one e-book in one run, each with the series
// variable set to its number. The builds themselves are passed in, so the run can be
// followed step by step in tests.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "compile/BuildEBook.h"
#include "compile/BuildSession.h"
#include "compile/ErrorReport.h"
#include "project/Project.h"

namespace nbx {

// The two builds an item runs and the clock that dates them (seconds since 1970).
struct SeriesBuilders {
    std::function<bool(Project&, BuildUi&, std::int64_t buildTime, bool seriesFlag)> buildEBook;
    std::function<bool(Project&, BuildUi&, std::int64_t buildTime)> buildRebrander;
    std::function<std::int64_t()> clock;
};

// Names of the kind 0 and kind 1 variables, in project order.
std::vector<std::string> SeriesVariableChoices(const Project& project);

// Shown when the project has no variable a series can number.
std::string NoSeriesVariableMessage();

// The Build Series command's first steps: the file list refreshed from the source folder
// and sorted, then "The source folder does not contain any files." or the no-variable
// message when a series cannot be built. False after the message.
bool PrepareSeriesCommand(Project& project, Prompter& prompter);

// The builds of a real series: BuildEBook and BuildRebrander in this program's folder, dated
// by the clock.
SeriesBuilders ProgramSeriesBuilders(const BuildEnvironment& environment);

// The measuring build before the dialog: output checks, one e-book (asking the Table Of
// Contents question when it arises) and its Rebrander when the project builds one, all with
// one build time. perBuildMilliseconds receives the time it took.
bool MeasureSeriesBuild(Project& project, BuildUi& ui, const SeriesBuilders& builders,
                        std::uint64_t& perBuildMilliseconds);

// Builds every item of the request after asking for confirmation with the estimate. The
// project's output paths, Rebrander switch and series variable are put back afterwards
// whatever happened. ui.series must be set: the window is opened and closed here.
// With Rebranders turned off for the run, the items are built without them even when the
// project builds one.
bool RunSeries(Project& project, BuildUi& ui, std::uint64_t perBuildMilliseconds,
               const SeriesRequest& request, const SeriesBuilders& builders);

}  // namespace nbx
