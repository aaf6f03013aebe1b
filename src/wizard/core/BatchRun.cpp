#include "wizard/core/BatchRun.h"

#include <charconv>
#include <map>
#include <optional>

#include "common/Prompter.h"
#include "platform/Clock.h"
#include "wizard/core/ProjectType.h"
#include "wizard/core/WizardSettings.h"

namespace nbx::wizard {

namespace {

std::optional<int> Number(const std::string& text, int first, int last) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < first || value > last) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::string BatchUsage() {
    return "Usage: nbxkwik --batch --name NAME --folder FOLDER --type N|NAME [--title TEXT]\n"
           "         [--publisher TEXT] [--copyright TEXT] [--author TEXT] [--email TEXT]\n"
           "         [--url TEXT] [--splash 0..3] [--menu 0|1] [--popup 0|1]\n"
           "         [--statusbar 0|1] [--toolbar 0|1] [--toolbar-position 0..3]\n"
           "         [--instructions 0|1] [--launch 0|1]\n";
}

std::string WizardUsage() {
    std::string text =
        "Usage: nbxkwik          the Quick Project wizard in its windows\n"
        "       nbxkwik --help   this text\n" +
        BatchUsage() + "Project types (--type takes the number or a part of the name):\n";
    const auto& types = ProjectTypes();
    for (std::size_t i = 0; i < types.size(); ++i) {
        text += "  " + std::to_string(i) + "  " + types[i].name + "\n";
    }
    return text;
}

bool AsksForHelp(const std::vector<std::string>& args) {
    for (const std::string& word : args) {
        if (word == "--help" || word == "-h") {
            return true;
        }
    }
    return false;
}

bool ParseBatchOptions(const std::vector<std::string>& args, const WizardSettings& settings,
                       BatchRequest& out, std::string& error) {
    std::map<std::string, std::string> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option.rfind("--", 0) != 0 || i + 1 >= args.size()) {
            error = option.rfind("--", 0) == 0 ? "nbxkwik: " + option + " needs a value"
                                               : "nbxkwik: unexpected argument '" + option + "'";
            return false;
        }
        given[option.substr(2)] = args[++i];
    }
    const auto take = [&given](const char* key) -> std::optional<std::string> {
        const auto it = given.find(key);
        if (it == given.end()) {
            return std::nullopt;
        }
        std::string value = it->second;
        given.erase(it);
        return value;
    };

    QuickProjectRequest& r = out.request;
    r.name = take("name").value_or("");
    r.folder = take("folder").value_or(settings.folder);
    if (r.name.size() > kMaxNameLength) {
        error = "nbxkwik: --name takes at most 32 characters";
        return false;
    }
    if (!FitsFolderField(r.folder)) {
        error = "nbxkwik: --folder: " + FolderTooLongMessage();
        return false;
    }
    r.type = FindProjectType(settings.projectType);
    if (const auto type = take("type")) {
        const int count = static_cast<int>(ProjectTypes().size());
        const auto position = Number(*type, 0, count - 1);
        const ProjectTypeMatch match = MatchProjectType(*type);
        r.type = position ? *position : match.position;
        if (r.type < 0) {
            error = "nbxkwik: --type: ";
            if (match.candidates.empty()) {
                error += "no project type '" + *type + "'";
            } else {
                error += "'" + *type + "' fits several project types:";
                for (const int c : match.candidates) {
                    error += "\n  " + std::to_string(c) + " " +
                             ProjectTypes()[static_cast<std::size_t>(c)].name;
                }
            }
            return false;
        }
    }

    WizardAnswers& a = out.answers;
    a = InitialAnswers(r.name, settings);
    const std::pair<const char*, std::string*> texts[] = {
        {"title", &a.book.title},         {"publisher", &a.book.publisher},
        {"copyright", &a.book.copyright}, {"author", &a.book.author},
        {"email", &a.book.authorEmail},   {"url", &a.book.authorUrl},
    };
    for (const auto& [key, field] : texts) {
        if (auto value = take(key)) {
            *field = std::move(*value);
        }
    }
    struct NumberOption {
        const char* key;
        int* field;
        int last;
    };
    const NumberOption numbers[] = {
        {"splash", &a.splash, 3},
        {"menu", &a.menu, 1},
        {"popup", &a.popupMenu, 1},
        {"statusbar", &a.statusBar, 1},
        {"toolbar", &a.toolbar, 1},
        {"toolbar-position", &a.toolbarPosition, 3},
        {"instructions", &a.instructions, 1},
        {"launch", &a.launch, 1},
    };
    for (const NumberOption& n : numbers) {
        if (const auto value = take(n.key)) {
            const auto number = Number(*value, 0, n.last);
            if (!number) {
                error = "nbxkwik: --" + std::string(n.key) + " takes 0 to " +
                        std::to_string(n.last) + ", not '" + *value + "'";
                return false;
            }
            *n.field = *number;
        }
    }
    if (!given.empty()) {
        error = "nbxkwik: unknown option --" + given.begin()->first;
        return false;
    }
    return true;
}

int RunBatch(const std::vector<std::string>& args, const std::string& executablePath,
             Prompter& prompter) {
    const WizardSettings settings = ReadWizardSettings(platform::LocalNow().year);
    BatchRequest batch;
    std::string error;
    if (!ParseBatchOptions(args, settings, batch, error)) {
        prompter.Show(error + "\n" + BatchUsage(), MessageIcon::Error);
        return 1;
    }
    const QuickProjectRequest& request = batch.request;
    if (!CanPressOk(request.name, request.folder, request.type >= 0)) {
        prompter.Show(
            "nbxkwik: a project name, a folder and a project type are needed (--name, --folder, "
            "--type)\n" +
                BatchUsage(),
            MessageIcon::Error);
        return 1;
    }
    if (PrepareProjectFolder(request, prompter)) {
        return 1;
    }
    // The wizard's pages, left with Next: the book information, then the splash choice.
    if (const auto failure = CheckBookInfo(batch.answers)) {
        prompter.Show(failure->message, MessageIcon::Warning);
        return 1;
    }
    SaveBookInfo(BookInfoSettings(batch.answers), prompter);
    SaveSplashChoice(batch.answers.splash, prompter);
    return MakeQuickProject(request, batch.answers, executablePath, prompter) ? 0 : 1;
}

}  // namespace nbx::wizard
