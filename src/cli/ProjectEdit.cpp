#include "cli/ProjectEdit.h"

#include "cli/OpenProject.h"
#include "common/VisibleText.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

namespace nbx::cli {

std::string ChosenFolder(const std::string& typed) {
    std::string folder = AbsolutePath(typed);
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

std::string AbsolutePath(const std::string& typed) {
    if (typed.empty()) {
        return typed;
    }
    std::error_code ec;
    const std::string path = std::filesystem::absolute(typed, ec).lexically_normal().string();
    return ec ? typed : path;
}

std::optional<int> OnOff(const std::string& word) {
    if (word == "on") {
        return 1;
    }
    if (word == "off") {
        return 0;
    }
    return std::nullopt;
}

std::optional<bool> TakeYesNo(Args& args) {
    std::optional<bool> forced;
    const auto end = std::remove_if(args.begin(), args.end(), [&forced](const std::string& a) {
        if (a == "--yes" || a == "--no") {
            forced = a == "--yes";
            return true;
        }
        return false;
    });
    args.erase(end, args.end());
    return forced;
}

void Complain(Console& console, const char* command, const std::string& message) {
    console.err << "tamselc " << command << ": " << WithVisibleControls(message, LineBreaks::Keep)
                << "\n";
}

void Refuse(Console& console, const char* command, std::string message) {
    if (message.empty() || std::string_view(".?!").find(message.back()) == std::string_view::npos) {
        message += '.';
    }
    Complain(console, command, message + " Nothing was written.");
}

int UsageError(Console& console, const char* usage) {
    console.err << "Usage: tamselc " << usage << "\n";
    return 2;
}

std::optional<int> StartEdit(Console& console, const Args& args, std::size_t minArgs,
                             const char* usage, CTamselDoc& doc, Prompter& prompter) {
    if (args.size() < minArgs) {
        return UsageError(console, usage);
    }
    if (!OpenProject(doc, args[0], prompter)) {
        return 1;
    }
    return std::nullopt;
}

}  // namespace nbx::cli
