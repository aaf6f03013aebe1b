#include "wizard/core/QuickProjectNames.h"

#include <filesystem>

#include "platform/AsciiText.h"
#include "platform/Paths.h"

namespace nbx::wizard {

namespace {

constexpr char kSep = platform::kSeparator;

}  // namespace

std::string ProjectBaseName(std::string_view name) {
    std::string base;
    for (const char c : name) {
        if (kAsciiWhiteSpace.find(c) == std::string_view::npos) {
            base += c;
        }
    }
    return ToLowerAscii(std::move(base));
}

std::string WorkingFolderWithSeparator(std::string_view folder) {
    // "." and ".." are resolved in the text, as the system does for every other program of
    // the desktop: "/home/ann/../books" is "/home/books", and no folder "/home/ann" is made on
    // the way.
    std::string out =
        folder.empty() ? std::string() : std::filesystem::path(folder).lexically_normal().string();
    if (out.empty() || out.back() != kSep) {
        out += kSep;
    }
    return out;
}

std::string BrowseStartFolder(std::string_view folder) {
    if (folder.size() > 1 && folder.back() == kSep) {
        folder.remove_suffix(1);
    }
    return std::string(folder);
}

ProjectPaths MakeProjectPaths(std::string_view folder, std::string_view name,
                              bool usesIncludeFolder) {
    ProjectPaths p;
    p.projectFolder = WorkingFolderWithSeparator(folder) + std::string(name);
    const auto in = [&p](std::string_view sub) {
        return p.projectFolder + kSep + std::string(sub);
    };
    p.baseName = ProjectBaseName(name);
    p.projectFileName = p.baseName + ".nxp";
    p.projectFile = in(p.projectFileName);
    p.sourceFolder = in("source");
    if (usesIncludeFolder) {
        p.includeFolder = in("include");
    }
    p.outputFolder = in("output");
    p.outputEBookName = p.baseName + std::string(kEBookEnding);
    p.outputEBook = p.outputFolder + kSep + p.outputEBookName;
    p.splashFolder = in("splash");
    p.instructionsPage = in("readme.htm");
    return p;
}

bool IsValidProjectName(std::string_view name) {
    constexpr std::string_view kAllowed =
        "_ ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz1234567890";
    return !name.empty() && name.find_first_not_of(kAllowed) == std::string_view::npos;
}

bool FitsFolderField(std::string_view folder) {
    return folder.size() <= kMaxFolderLength;
}

std::string FolderTooLongMessage() {
    return "The Folder is too long: it can be at most " + std::to_string(kMaxFolderLength) +
           " bytes, and a letter outside A to Z takes 2 to 4 of them.";
}

bool IsValidWorkingFolder(std::string_view folder) {
    return platform::IsAbsolutePath(folder) && !(folder.size() > 1 && folder[1] == kSep);
}

bool CanPressOk(std::string_view name, std::string_view folder, bool typeSelected) {
    return typeSelected && !TrimAscii(name, " ").empty() && !TrimAscii(folder, " ").empty();
}

}  // namespace nbx::wizard
