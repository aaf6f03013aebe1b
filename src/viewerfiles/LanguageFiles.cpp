#include "viewerfiles/LanguageFiles.h"

#include "common/ProgramFolderPath.h"

namespace nbx {

namespace {

std::string InProgramFolder(std::string_view name) {
    std::string path = ProgramFolderPath(name);
    return path.empty() ? std::string(kNoProgramFolderPath) : path;
}

}  // namespace

std::string TranslationInfoPath() {
    return InProgramFolder(kTranslationFileName);
}

std::string LanguagePath(std::string_view name) {
    return InProgramFolder(std::string(name) + kLanguageFileSuffix);
}

}  // namespace nbx
