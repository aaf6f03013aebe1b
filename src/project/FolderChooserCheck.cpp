#include "project/FolderChooserCheck.h"

#include <sys/stat.h>

#include "common/Prompter.h"
#include "platform/Paths.h"

namespace nbx {

namespace {

bool IsValidName(std::string_view name) {
    constexpr std::string_view kEdgeCharacters = " \t.";
    constexpr std::string_view kForbidden = "\"*/:<>?\\|";
    return !name.empty() && kEdgeCharacters.find(name.front()) == std::string_view::npos &&
           kEdgeCharacters.find(name.back()) == std::string_view::npos &&
           name.find_first_of(kForbidden) == std::string_view::npos;
}

std::string WithPath(std::string_view before, const std::string& path, std::string_view after) {
    std::string text(before);
    text += path;
    text += after;
    return text;
}

}  // namespace

bool IsValidFolderPath(std::string_view path) {
    if (!platform::IsAbsolutePath(path)) {
        return false;
    }
    // After the root, names between separators; one separator may end the path.
    std::string_view rest = path.substr(1);
    if (!rest.empty() && rest.back() == platform::kSeparator) {
        rest.remove_suffix(1);
    }
    while (!rest.empty()) {
        const std::size_t end = rest.find(platform::kSeparator);
        if (!IsValidName(rest.substr(0, end))) {
            return false;
        }
        if (end == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(end + 1);
        if (rest.empty()) {
            return false;  // "//" at the end
        }
    }
    return true;
}

FolderCheckResult CheckChosenFolder(const std::string& typed, Prompter& prompter) {
    if (!IsValidFolderPath(typed)) {
        prompter.Show(WithPath("The folder:\n\n", typed, "\n\nis invalid. Please reenter."),
                      MessageIcon::Warning);
        return FolderCheckResult::KeepOpen;
    }
    if (platform::FolderExists(typed)) {
        return FolderCheckResult::Accept;
    }
    const Answer answer =
        prompter.Ask(WithPath("The folder:\n\n", typed,
                              "\n\ndoes not exist. Do you want the folder to be created?"),
                     Buttons::YesNo, Answer::Yes, MessageIcon::Question);
    if (answer != Answer::Yes) {
        return FolderCheckResult::KeepOpen;
    }
    return CreateChosenFolder(typed, prompter);
}

FolderCheckResult CreateChosenFolder(const std::string& typed, Prompter& prompter) {
    if (!IsValidFolderPath(typed)) {
        prompter.Show(WithPath("The folder:\n\n", typed, "\n\nis invalid. Please reenter."),
                      MessageIcon::Warning);
        return FolderCheckResult::KeepOpen;
    }
    for (std::size_t end = typed.find(platform::kSeparator, 1);;
         end = typed.find(platform::kSeparator, end + 1)) {
        const std::string level = typed.substr(0, end);
        // A level that appeared meanwhile is fine; a file in the way is not.
        if (!level.empty() && !platform::FolderExists(level) && ::mkdir(level.c_str(), 0777) != 0 &&
            !platform::FolderExists(level)) {
            prompter.Show(
                WithPath("The folder:\n\n", typed, "\n\ncan not be created. Please double check."),
                MessageIcon::Warning);
            return FolderCheckResult::KeepOpen;
        }
        if (end == std::string::npos) {
            break;
        }
    }
    return FolderCheckResult::Accept;
}

}  // namespace nbx
