#pragma once
// Where the compiler finds the viewer's data files: all three live in the program folder.
// When the program's own path has no folder part, each path is the bare name "error.xyz",
// which then fails to open.

#include <string>
#include <string_view>

namespace nbx {

inline constexpr const char* kNoProgramFolderPath = "error.xyz";
inline constexpr const char* kTranslationFileName = "translat.dat";
inline constexpr const char* kToolbarFileName = "toolbar.tb";
inline constexpr const char* kLanguageFileSuffix = ".lng";
// The language a new project uses, and the one file the editor never overwrites.
inline constexpr const char* kDefaultLanguage = "English";

// The program folder + "translat.dat".
std::string TranslationInfoPath();
// The program folder + name + ".lng".
std::string LanguagePath(std::string_view name);

}  // namespace nbx
