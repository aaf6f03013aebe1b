#pragma once
// "Edit System Pages" without the windows: the page it opens on, the file lists of its About
// and Table Of Contents pages, the enabling rules and writing the values back.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "project/DisplayNames.h"
#include "project/ProjectSettings.h"

namespace nbx {

class Project;

enum class SystemPagesTab { About, Search, Contents, Colors };

// The summary row's section: 3 Search Results, 4 Table Of Contents, 5 Colors, anything
// else About.
SystemPagesTab SystemPagesTabForSection(int section);

// The display names of the project's files that have an HTML name and are not excluded, in project
// order.
std::vector<std::string> SystemPageFileChoices(const ProjectSettings& project);

struct SystemPagesValues {
    std::int32_t aboutPage = 0;
    std::string aboutFile;  // the text shown: empty when the stored file is not offered
    std::string nickname;
    bool searchDescriptions = true;
    bool searchShowMatch = true;
    std::int32_t contentsPage = 0;
    std::string contentsFile;
    bool contentsDescriptions = true;
    std::array<std::uint32_t, kColourCount> colors{};
};

inline constexpr std::size_t kNicknameMaxLength = 32;

SystemPagesValues SystemPagesOf(const ProjectSettings& project);

// Enabling by the selected kind.
inline bool NicknameEnabled(std::int32_t aboutKind) {
    return aboutKind == kSystemGeneratedPage;
}
inline bool PageFileEnabled(std::int32_t kind) {
    return kind == kSystemPageOwn;
}
inline bool ContentsDescriptionsEnabled(std::int32_t kind) {
    return kind == kSystemGeneratedPage;
}

// Stores every value, marks the project modified and writes the nickname to "QUORLIN.INI"
// (section "EBook", key "NickName") so that the next new project starts with it. False, with
// the reason in why, when it cannot be written there (a nickname of several lines, or a file
// that cannot be written); the project is stored all the same.
bool ApplySystemPages(const SystemPagesValues& values, Project& project,
                      std::string* why = nullptr);

// What is shown, followed by a blank line and the reason, when ApplySystemPages returned false.
inline constexpr const char* kNicknameNotKept = "The nickname could not be saved for new projects.";
// kNicknameNotKept followed by why, as the warning shows it.
inline std::string NicknameNotKeptMessage(const std::string& why) {
    return std::string(kNicknameNotKept) + "\n\n" + why;
}

}  // namespace nbx
