#include "compile/BuildSeries.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/Prompter.h"
#include "compile/BuildChecks.h"
#include "compile/BuildClock.h"
#include "compile/BuildEBook.h"
#include "compile/RebranderBuild.h"
#include "compile/SeriesTemplate.h"
#include "compile/SeriesTexts.h"
#include "platform/AtomicFileWriter.h"
#include "platform/Clock.h"
#include "platform/TempFiles.h"
#include "project/SourceFolderScan.h"

namespace nbx {

namespace {

std::optional<std::int64_t> FileSize(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(size);
}

Variable* FindByName(Project& project, const std::string& name) {
    const auto it = std::find_if(project.variables.begin(), project.variables.end(),
                                 [&](const Variable& v) { return v.name == name; });
    return it == project.variables.end() ? nullptr : &*it;
}

// Everything a run changes in the project, put back when the run ends.
class ProjectRestorer {
public:
    explicit ProjectRestorer(Project& project, const std::string& variable)
        : project_(project),
          outputExe_(project.outputExe),
          rebranderExe_(project.rebranderExe),
          buildRebrander_(project.buildRebrander),
          variableName_(variable) {
        if (const Variable* v = FindByName(project, variable)) {
            variable_ = *v;
        }
    }
    ~ProjectRestorer() {
        project_.SetOutputPaths(outputExe_, rebranderExe_);
        project_.buildRebrander = buildRebrander_;
        if (Variable* v = FindByName(project_, variableName_); v && variable_) {
            *v = *variable_;
        }
    }

private:
    Project& project_;
    std::string outputExe_;
    std::string rebranderExe_;
    bool buildRebrander_;
    std::string variableName_;
    std::optional<Variable> variable_;
};

}  // namespace

std::vector<std::string> SeriesVariableChoices(const Project& project) {
    std::vector<std::string> names;
    for (const auto& v : project.variables) {
        if (v.kind == kHtmlFragment || v.kind == kTextToHtml) {
            names.push_back(v.name);
        }
    }
    return names;
}

std::string NoSeriesVariableMessage() {
    return "Your project must contain either a 'HTML Fragment' or 'Text to convert to HTML' "
           "Nimbrel Variable to Build a Series.";
}

bool PrepareSeriesCommand(Project& project, Prompter& prompter) {
    RescanSourceFolder(project, true, prompter);
    project.SortFiles();
    if (project.files.empty()) {
        prompter.Show("The source folder does not contain any files.");
        return false;
    }
    if (SeriesVariableChoices(project).empty()) {
        prompter.Show(NoSeriesVariableMessage());
        return false;
    }
    return true;
}

SeriesBuilders ProgramSeriesBuilders(const BuildEnvironment& environment) {
    SeriesBuilders builders;
    // The builds of the series share one template: the first keeps what the others reuse.
    auto shared = std::make_shared<SeriesTemplate>();
    BuildEnvironment withTemplate = environment;
    withTemplate.seriesTemplate = shared.get();
    builders.buildEBook = [withTemplate, shared](Project& project, BuildUi& ui,
                                                 std::int64_t buildTime, bool seriesFlag) {
        return BuildEBook(project, ui, buildTime, seriesFlag, withTemplate);
    };
    builders.buildRebrander = [environment](Project& project, BuildUi& ui, std::int64_t buildTime) {
        return BuildRebrander(project, ui, buildTime, environment.compilerFolder);
    };
    builders.clock = [] { return BuildTimeNow(); };
    return builders;
}

bool MeasureSeriesBuild(Project& project, BuildUi& ui, const SeriesBuilders& builders,
                        std::uint64_t& perBuildMilliseconds) {
    if (!CheckBuildClock(ui)) {
        return false;
    }
    const std::uint64_t start = platform::TickCountMs();
    const std::int64_t buildTime = builders.clock();
    if (!CheckOutputPaths(project, ui) || !builders.buildEBook(project, ui, buildTime, false)) {
        return false;
    }
    if (project.buildRebrander && !builders.buildRebrander(project, ui, buildTime)) {
        return false;
    }
    perBuildMilliseconds = platform::TickCountMs() - start;
    return true;
}

namespace {

// What a series will write: the name templates and the size of one item.
struct SeriesPlan {
    SeriesNameTemplate book;
    std::optional<SeriesNameTemplate> rebrander;  // when the items have Rebranders
    std::int64_t oneItemSize = 0;
    std::int64_t count = 0;
};

// The plan from the outputs of the build just made; nullopt after the message.
std::optional<SeriesPlan> PlanSeries(const Project& project, Prompter& prompter,
                                     const SeriesRequest& request, bool withRebranders) {
    const auto bookSize = FileSize(project.outputExe);
    if (!bookSize) {
        prompter.Show("Output E-Book EXE could not be found.");
        return std::nullopt;
    }
    std::int64_t oneItemSize = *bookSize;
    if (withRebranders) {
        const auto rebranderSize = FileSize(project.rebranderExe);
        if (!rebranderSize) {
            prompter.Show("Output Rebrander EXE could not be found.");
            return std::nullopt;
        }
        oneItemSize += *rebranderSize;
    }
    const auto bookTemplate = SeriesNameTemplate::FromPath(project.outputExe);
    if (!bookTemplate) {
        prompter.Show(project.outputExe + " does not end in .EXE");
        return std::nullopt;
    }
    std::optional<SeriesNameTemplate> rebranderTemplate;
    if (withRebranders) {
        rebranderTemplate = SeriesNameTemplate::FromPath(project.rebranderExe);
        if (!rebranderTemplate) {
            prompter.Show(project.rebranderExe + " does not end in .EXE");
            return std::nullopt;
        }
    }
    const std::int64_t span = request.last - request.first;
    if (span < 0 || span > 0x7FFFFFFF) {
        prompter.Show("Error in Build Series.");
        return std::nullopt;
    }
    return SeriesPlan{*bookTemplate, rebranderTemplate, oneItemSize, span + 1};
}

// Builds every item, noting each file written in produced; false when one failed or the
// window was cancelled (then cancelled is set).
bool BuildItems(Project& project, BuildUi& ui, const SeriesRequest& request, const SeriesPlan& plan,
                const SeriesBuilders& builders, std::vector<std::string>& produced,
                bool& cancelled) {
    const SeriesNameTemplate* rebrander = plan.rebrander ? &*plan.rebrander : nullptr;
    SeriesProgress& window = *ui.series;
    window.Open("Build Series", true);
    // The bar counts items, so it and the title agree whatever the first number is.
    window.SetRange(0, static_cast<int>(std::min<std::int64_t>(plan.count, 0x7FFFFFFF)), 1);
    bool ok = true;
    for (std::int64_t j = request.first; j <= request.last; ++j) {
        const std::string bookPath = plan.book.PathAt(j);
        const std::string rebranderPath = rebrander ? rebrander->PathAt(j) : std::string();
        char heading[96];
        std::snprintf(heading, sizeof heading, "Building item %lld of %lld:\n",
                      static_cast<long long>(j - request.first + 1),
                      static_cast<long long>(plan.count));
        std::string text = heading + plan.book.NameAt(j);
        if (rebrander) {
            text += " and " + rebrander->NameAt(j);
        }
        window.SetText(text);
        window.StepIt();
        window.PumpMessages(true);
        cancelled = window.Cancelled();

        project.SetOutputPaths(bookPath, rebranderPath);
        if (Variable* v = FindByName(project, request.variable)) {
            v->value = std::to_string(j);
        }
        if (cancelled || !CheckOutputPaths(project, ui)) {
            ok = false;
            break;
        }
        const std::int64_t buildTime = builders.clock();
        if (!builders.buildEBook(project, ui, buildTime, true)) {
            ok = false;
            break;
        }
        produced.push_back(bookPath);
        if (rebrander) {
            if (!builders.buildRebrander(project, ui, buildTime)) {
                ok = false;
                break;
            }
            produced.push_back(rebranderPath);
        }
    }
    window.Close();
    return ok;
}

// After a series that stopped part way: offers to delete what it wrote, or says nothing was.
void ReportUnfinishedSeries(Prompter& prompter, const std::vector<std::string>& produced,
                            bool cancelled) {
    if (produced.empty()) {
        prompter.Show(cancelled ? "Build Series was cancelled, no output files were built."
                                : "Build Series failed, no output files were built.");
        return;
    }
    const std::string ask =
        std::string(cancelled ? "Build Series was cancelled" : "Build Series failed") +
        " part way through, although some output files were "
        "generated.\n\nWould you like to delete these output files?";
    if (prompter.Ask(ask, Buttons::YesNo, Answer::No, MessageIcon::Warning) == Answer::Yes) {
        for (const auto& path : produced) {
            platform::RemoveFileQuietly(path);
        }
    }
}

}  // namespace

bool RunSeries(Project& project, BuildUi& ui, std::uint64_t perBuildMilliseconds,
               const SeriesRequest& request, const SeriesBuilders& builders) {
    Prompter& prompter = ui.prompter;
    const bool withRebranders = request.buildRebranders && project.buildRebrander;
    const std::optional<SeriesPlan> plan = PlanSeries(project, prompter, request, withRebranders);
    if (!plan) {
        return false;
    }
    const SeriesNameTemplate* rebrander = plan->rebrander ? &*plan->rebrander : nullptr;
    const std::string summary = SeriesSummaryText(plan->count, withRebranders);
    const std::string names = SeriesNamesText(plan->book, rebrander, request.first, request.last);
    const std::string question = SeriesQuestionText(
        summary, names,
        SeriesDurationText(static_cast<std::uint64_t>(plan->count) * perBuildMilliseconds),
        SeriesDiskSpaceText(plan->count, plan->oneItemSize));
    if (prompter.Ask(question, Buttons::YesNo, Answer::No, MessageIcon::Question) != Answer::Yes) {
        return false;
    }

    std::vector<std::string> produced;
    bool cancelled = false;
    bool ok = true;
    {
        ProjectRestorer restorer(project, request.variable);
        // Without Rebranders for this run, the items must not ask for one.
        if (!withRebranders) {
            project.buildRebrander = false;
        }
        ok = BuildItems(project, ui, request, *plan, builders, produced, cancelled);
    }
    if (!ok) {
        ReportUnfinishedSeries(prompter, produced, cancelled);
        return false;
    }
    prompter.Show("Build Series Successful:\n\nYou have successfully built " + summary +
                      "\n\nThe files are named " + names,
                  MessageIcon::Information);
    return true;
}

}  // namespace nbx
