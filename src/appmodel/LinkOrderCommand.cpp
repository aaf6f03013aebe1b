#include "appmodel/LinkOrderCommand.h"

#include <algorithm>

#include "common/Prompter.h"
#include "platform/RegularFile.h"
#include "project/EntryName.h"
#include "project/Project.h"
#include "reader/LinkOrder.h"

namespace nbx {

LinkOrderOutcome OrderFilesByLinks(Project& project) {
    project.SortFiles();
    // The entries as the book will hold them, in the order they have now.
    std::vector<DirectoryEntry> directory;
    std::vector<std::size_t> fileOf;
    std::vector<std::size_t> excludedPages;
    for (std::size_t i = 0; i < project.files.size(); ++i) {
        const SourceFile& f = project.files[i];
        if (f.excluded != 0) {
            if (IsHtmlName(f.path)) {
                excludedPages.push_back(i);
            }
            continue;
        }
        DirectoryEntry entry;
        entry.name = EntryNameOf(project, f);
        directory.push_back(std::move(entry));
        fileOf.push_back(i);
    }
    std::string bytes;  // one buffer for every page: no allocation per page
    const reader::LinkOrder order = reader::OrderPagesByLinks(directory, [&](std::size_t position) {
        int error = 0;
        platform::ReadRegularFile(project.files[fileOf[position]].path, kLinkScanLimit,
                                  platform::Oversize::ReadPrefix, bytes, error);
        return std::string_view(bytes);
    });
    std::sort(excludedPages.begin(), excludedPages.end(), [&](std::size_t a, std::size_t b) {
        return EntryNameOf(project, project.files[a]) < EntryNameOf(project, project.files[b]);
    });

    LinkOrderOutcome outcome;
    outcome.pages = order.pages.size();
    outcome.reached = order.reached;
    if (order.start >= 0) {
        outcome.start = directory[static_cast<std::size_t>(order.start)].name;
    }
    std::size_t position = 0;
    for (const std::size_t page : order.pages) {
        project.files[fileOf[page]].orderKey = OrderKeyForPosition(position++);
    }
    for (const std::size_t file : excludedPages) {
        project.files[file].orderKey = OrderKeyForPosition(position++);
    }
    if (position > 0) {
        project.SetModified();
    }
    project.SortFiles();
    return outcome;
}

std::string LinkOrderMessage(const LinkOrderOutcome& outcome) {
    if (outcome.pages == 0) {
        return "The E-Book holds no HTML page to put in order.";
    }
    const auto pages = [](std::size_t n) {
        return std::to_string(n) + (n == 1 ? " page" : " pages");
    };
    std::string text =
        pages(outcome.pages) + " put in the order of their links from " + outcome.start + ".";
    if (outcome.reached < outcome.pages) {
        const std::size_t rest = outcome.pages - outcome.reached;
        text += " " + pages(rest) + " that no link from it reaches " +
                (rest == 1 ? "comes" : "come") + " last, by name.";
    }
    return text;
}

bool RunOrderByLinksCommand(Project& project, Prompter& prompter,
                            const std::function<void()>& redraw) {
    const bool anyPage = std::any_of(project.files.begin(), project.files.end(),
                                     [](const SourceFile& f) { return IsHtmlName(f.path); });
    if (!anyPage) {
        prompter.Show("There are no HTML files to put in order.");
        return false;
    }
    if (prompter.Ask("Are you sure that you want to put your HTML files in the order in which "
                     "they link to each other, starting from the index page?\n\nThe order they "
                     "have now will be replaced.",
                     Buttons::YesNo, Answer::No) != Answer::Yes) {
        return false;
    }
    LinkOrderOutcome outcome;
    {
        BusyScope busy(prompter);
        outcome = OrderFilesByLinks(project);
    }
    if (redraw) {
        redraw();
    }
    prompter.Show(LinkOrderMessage(outcome), MessageIcon::Information);
    return true;
}

}  // namespace nbx
