#include "appmodel/SystemPagesRules.h"

#include <algorithm>

#include "platform/Paths.h"
#include "platform/ProfileFile.h"
#include "platform/TextCut.h"
#include "project/Project.h"
#include "project/SourceFile.h"

namespace nbx {

SystemPagesTab SystemPagesTabForSection(int section) {
    switch (section) {
        case 3:
            return SystemPagesTab::Search;
        case 4:
            return SystemPagesTab::Contents;
        case 5:
            return SystemPagesTab::Colors;
        default:
            return SystemPagesTab::About;
    }
}

std::vector<std::string> SystemPageFileChoices(const ProjectSettings& project) {
    std::vector<std::string> names;
    for (const SourceFile& file : project.files) {
        if (!file.excluded && IsHtmlName(file.path)) {
            names.push_back(platform::DisplayName(file.path));
        }
    }
    return names;
}

namespace {

// The list shows the stored file only when it is offered; the page stores what it shows.
std::string Offered(const std::vector<std::string>& choices, const std::string& stored) {
    return std::find(choices.begin(), choices.end(), stored) != choices.end() ? stored
                                                                              : std::string();
}

}  // namespace

SystemPagesValues SystemPagesOf(const ProjectSettings& project) {
    const std::vector<std::string> choices = SystemPageFileChoices(project);
    SystemPagesValues values;
    values.aboutPage = project.aboutPage;
    values.aboutFile = Offered(choices, project.aboutFile);
    values.nickname =
        platform::CutToCharacterBoundary(project.affiliateNickname, kNicknameMaxLength);
    values.searchDescriptions = project.searchDescriptions;
    values.searchShowMatch = project.searchShowMatch;
    values.contentsPage = project.contentsPage;
    values.contentsFile = Offered(choices, project.contentsFile);
    values.contentsDescriptions = project.contentsDescriptions;
    values.colors = project.colors;
    return values;
}

bool ApplySystemPages(const SystemPagesValues& values, Project& project, std::string* why) {
    project.aboutPage = values.aboutPage;
    project.aboutFile = values.aboutFile;
    project.affiliateNickname = values.nickname;
    project.searchDescriptions = values.searchDescriptions;
    project.searchShowMatch = values.searchShowMatch;
    project.contentsPage = values.contentsPage;
    project.contentsFile = values.contentsFile;
    project.contentsDescriptions = values.contentsDescriptions;
    project.colors = values.colors;
    project.SetModified();
    return platform::WriteProfileString("QUORLIN.INI", "EBook", "NickName", values.nickname, why);
}

}  // namespace nbx
