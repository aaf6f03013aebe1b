// tamselc files PROJECT OPTION...: the Files tab's per-file commands on the files whose names
// match a pattern, with the same rules; nothing is written when one of them refuses.

#include <fnmatch.h>

#include <optional>
#include <string>

#include "appmodel/LinkOrderCommand.h"
#include "cli/Command.h"
#include "cli/ConsolePrompter.h"
#include "cli/ProjectEdit.h"
#include "project/CTamselDoc.h"
#include "project/EntryName.h"
#include "project/FileListCommands.h"

namespace nbx::cli {

namespace {

constexpr const char* kUsage =
    "files PROJECT OPTION...\n"
    "  Changes the attributes and the order of files, named as in the e-book (with\n"
    "  sub-folders: their path below the source folder, like library/os.html). GLOB is a\n"
    "  shell pattern in which * also matches '/'. Options run in the order given; when one\n"
    "  is refused nothing is written.\n"
    "  --exclude GLOB               leave the matching files out of the e-book\n"
    "  --include GLOB               take them in again\n"
    "  --searchable GLOB on|off     index the matching pages for search\n"
    "  --contents GLOB on|off       list them in the Table Of Contents\n"
    "  --preprocess GLOB on|off     run them through the preprocessor\n"
    "  --move NAME top|up|down|bottom  move one page in the page order\n"
    "  --order links                put the pages in the order in which they link to each\n"
    "                               other: from the index page, along rel=\"next\" links, else\n"
    "                               as a reader first reaches them";

using Toggle = bool (*)(Project&, std::size_t, Prompter&);

bool ToggleExcludedWithPrompter(Project& project, std::size_t index, Prompter&) {
    return ToggleExcluded(project, index);
}

// Brings one flag of every matching file to `value` through its toggle, so that the toggle's
// rules apply; the first refusal is returned as "NAME: message".
std::optional<std::string> SetFlag(Project& project, const std::string& glob,
                                   std::int32_t SourceFile::*flag, int value, Toggle toggle) {
    bool matched = false;
    for (std::size_t i = 0; i < project.files.size(); ++i) {
        const std::string name = EntryNameOf(project, project.files[i]);
        if (::fnmatch(glob.c_str(), name.c_str(), 0) != 0) {
            continue;
        }
        matched = true;
        if (project.files[i].*flag == value) {
            continue;
        }
        KeepingPrompter keeping;
        if (!toggle(project, i, keeping)) {
            return name + ": " + (keeping.messages.empty() ? "refused" : keeping.messages.front());
        }
    }
    if (!matched) {
        return "no file matches '" + glob + "'";
    }
    return std::nullopt;
}

std::optional<std::string> Move(Project& project, const std::string& name,
                                const std::string& where) {
    project.SortFiles();
    const long index = FindFileByEntryName(project, name);
    if (index < 0) {
        return "there is no file called '" + name + "'";
    }
    const auto i = static_cast<std::size_t>(index);
    if (!project.IsHtmlFile(i)) {
        return name + ": only HTML files have a place in the page order";
    }
    KeepingPrompter keeping;
    if (where == "top") {
        project.MoveFileToTop(i);
    } else if (where == "bottom") {
        project.MoveFileToBottom(i);
    } else if (where == "up") {
        project.MoveFileUp(i, keeping);
    } else if (where == "down") {
        project.MoveFileDown(i, keeping);
    } else {
        return "--move takes top, up, down or bottom, not '" + where + "'";
    }
    if (!keeping.messages.empty()) {
        return name + ": " + keeping.messages.front();
    }
    project.SortFiles();
    return std::nullopt;
}

}  // namespace

const char* FilesUsage() {
    return kUsage;
}

int RunFiles(const Args& args, Console& console) {
    ConsolePrompter prompter(console);
    CTamselDoc doc;
    if (const std::optional<int> end = StartEdit(console, args, 3, kUsage, doc, prompter)) {
        return *end;
    }
    Project& project = doc.project();
    project.SortFiles();
    std::string ordered;  // told once the project is saved
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& option = args[i];
        const bool takesSwitch =
            option == "--searchable" || option == "--contents" || option == "--preprocess";
        const bool takesGlob = takesSwitch || option == "--exclude" || option == "--include";
        const std::size_t values = option == "--move"    ? 2
                                   : takesSwitch         ? 2
                                   : takesGlob           ? 1
                                   : option == "--order" ? 1
                                                         : 0;
        if (values == 0 || i + values >= args.size()) {
            return UsageError(console, kUsage);
        }
        const std::string& first = args[i + 1];
        std::optional<std::string> error;
        if (option == "--move") {
            error = Move(project, first, args[i + 2]);
        } else if (option == "--order") {
            if (first != "links") {
                error = "--order takes links, not '" + first + "'";
            } else {
                ordered = LinkOrderMessage(OrderFilesByLinks(project));
            }
        } else if (option == "--exclude" || option == "--include") {
            error = SetFlag(project, first, &SourceFile::excluded, option == "--exclude",
                            ToggleExcludedWithPrompter);
        } else {
            const std::optional<int> on = OnOff(args[i + 2]);
            if (!on) {
                Refuse(console, "files", option + " takes on or off, not '" + args[i + 2] + "'");
                return 1;
            }
            if (option == "--searchable") {
                error = SetFlag(project, first, &SourceFile::searchable, *on, ToggleSearchable);
            } else if (option == "--contents") {
                error = SetFlag(project, first, &SourceFile::inContents, *on, ToggleInContents);
            } else {
                error = SetFlag(project, first, &SourceFile::preprocess, *on, TogglePreprocess);
            }
        }
        if (error) {
            Refuse(console, "files", *error);
            return 1;
        }
        i += values;
    }
    project.SortFiles();
    if (!doc.OnSaveDocument(args[0], prompter)) {
        return 1;
    }
    if (!ordered.empty()) {
        prompter.Show(ordered, MessageIcon::Information);
    }
    return 0;
}

}  // namespace nbx::cli
