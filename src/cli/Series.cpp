// tamselc series PROJECT --variable NAME --first N --last M [--no-rebranders] [--output PATH]
// [--jobs N] [--yes|--no]: the Build Series command. Runs over ranges of one series are
// independent, so a series can be split over processes and machines (README).

#include <algorithm>
#include <charconv>
#include <optional>

#include "cli/BuildOptions.h"
#include "cli/Command.h"
#include "cli/ConsoleProgress.h"
#include "cli/ConsolePrompter.h"
#include "cli/OpenProject.h"
#include "compile/BuildSeries.h"
#include "compile/EntryPreparer.h"
#include "compile/SeriesTexts.h"

namespace nbx::cli {

namespace {

std::optional<std::int64_t> Number(const std::string& text) {
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

int RunSeries(const Args& args, Console& console) {
    std::string projectPath;
    BuildSession session;
    SeriesRequest request = session.seriesRequest;
    request.buildRebranders = true;
    std::optional<bool> answer;
    std::optional<std::string> output;
    std::optional<unsigned> jobs;
    bool usage = false;
    for (std::size_t i = 0; i < args.size() && !usage; ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--variable" && hasValue) {
            request.variable = args[++i];
        } else if ((a == "--first" || a == "--last") && hasValue) {
            const auto n = Number(args[++i]);
            usage = !n;
            (a == "--first" ? request.first : request.last) = n.value_or(0);
        } else if (a == "--output" && hasValue) {
            output = OutputPathOption(args[++i]);
        } else if (a == "--jobs" && hasValue) {
            jobs = ParseJobs(args[++i]);
            usage = !jobs;
        } else if (a == "--no-rebranders") {
            request.buildRebranders = false;
        } else if (a == "--yes" || a == "--no") {
            answer = a == "--yes";
        } else if (projectPath.empty() && a.rfind("--", 0) != 0) {
            projectPath = a;
        } else {
            usage = true;
        }
    }
    if (usage || projectPath.empty()) {
        console.err << "Usage: tamselc series PROJECT --variable NAME --first N --last M "
                       "[--no-rebranders] [--output PATH] [--jobs N] [--yes|--no]\n";
        return 2;
    }
    ConsolePrompter prompter(console, answer);
    CTamselDoc doc;
    if (!OpenProject(doc, projectPath, prompter)) {
        return 1;
    }
    Project& project = doc.project();
    if (output) {
        project.outputExe = *output;
    }
    if (!PrepareSeriesCommand(project, prompter)) {
        return 1;
    }
    const auto choices = SeriesVariableChoices(project);
    if (request.variable.empty()) {
        request.variable = choices.front();
    }
    if (std::find(choices.begin(), choices.end(), request.variable) == choices.end()) {
        console.err << "tamselc: '" << request.variable
                    << "' is not an 'HTML Fragment' or 'Text to convert to HTML' variable of the "
                       "project\n";
        return 1;
    }
    if (const std::string problem = CheckSeriesNumbers(request.first, request.last);
        !problem.empty()) {
        prompter.Show(problem, MessageIcon::Warning);
        return 1;
    }
    session.seriesRequest = request;

    BuildEnvironment environment = BuildEnvironment::ForThisProgram();
    if (jobs) {
        environment.packingWorkers = PackingWorkersFor(*jobs);
    }
    const SeriesBuilders builders = ProgramSeriesBuilders(environment);
    ConsoleBuildProgress progress(console);
    ConsoleSeriesProgress window(console);
    BuildUi ui{prompter, progress, &window, &session};
    std::uint64_t perBuild = 0;
    if (!MeasureSeriesBuild(project, ui, builders, perBuild)) {
        return 1;
    }
    return nbx::RunSeries(project, ui, perBuild, request, builders) ? 0 : 1;
}

}  // namespace nbx::cli
