#include "viewerfiles/LanguageList.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/ProgramFolderPath.h"
#include "platform/AsciiText.h"
#include "viewerfiles/LanguageFiles.h"

namespace nbx {

namespace {

constexpr const char* kErrorFindingLanguages = "Error finding language data!";

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

}  // namespace

LanguageList ListLanguagesIn(const std::string& folder, std::string_view wantedName) {
    LanguageList list;
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        return list;
    }
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) {
            break;
        }
        const std::string fileName = it->path().filename().string();
        // LanguagePath() appends ".lng" exactly, so only names it can find are listed.
        if (!EndsWith(fileName, kLanguageFileSuffix)) {
            continue;
        }
        std::error_code typeError;
        if (it->is_directory(typeError) || typeError) {
            continue;
        }
        // A hidden file (".x.lng") would list as an empty name.
        std::string name = fileName.substr(0, fileName.find('.'));
        if (!name.empty()) {
            list.names.push_back(std::move(name));
        }
    }
    std::sort(list.names.begin(), list.names.end(), [](const std::string& a, const std::string& b) {
        const std::string la = ToLowerAscii(a);
        const std::string lb = ToLowerAscii(b);
        return la != lb ? la < lb : a < b;
    });
    const std::string wanted = ToLowerAscii(wantedName);
    for (std::size_t i = 0; i < list.names.size(); ++i) {
        if (ToLowerAscii(list.names[i]) == wanted) {
            list.selected = static_cast<int>(i);
        }
    }
    if (list.selected < 0 && !list.names.empty()) {
        list.selected = 0;
    }
    return list;
}

LanguageList FillLanguageList(std::string_view wantedName, Prompter& prompter) {
    const std::string folder = ProgramFolderPath("");
    if (folder.empty()) {
        prompter.Show(kErrorFindingLanguages, MessageIcon::Error);
        return {};
    }
    return ListLanguagesIn(folder, wantedName);
}

}  // namespace nbx
