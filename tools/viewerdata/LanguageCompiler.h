#pragma once
// Turns parsed language and purpose sources into the tables of a language file and of
// translat.dat, checking them against the key list of viewerfiles/LanguageKeys.h.

#include <string>
#include <string_view>
#include <vector>

#include "viewerdata/DataSource.h"
#include "viewerfiles/CLanguageMap.h"

namespace nbx::datagen {

// A language file: key 1 is the version "4.22" (a source may not set it); every other key
// must be given once, in a form that its flag allows and that the editor can edit without
// widening a field. With a reference (the English source), each text must use the same
// placeholders as the reference's. Problems are appended to errors; true when none.
bool CompileLanguage(const std::vector<SourceEntry>& entries,
                     const std::vector<SourceEntry>* reference, std::string_view where,
                     CLanguageMap& map, std::vector<std::string>& errors);

// translat.dat: a purpose for every key, stored under the key's own flag.
bool CompileTranslation(const std::vector<SourceEntry>& entries, std::string_view where,
                        CLanguageMap& map, std::vector<std::string>& errors);

// Why value can't stand under flag, or empty when it can.
std::string ProblemWithValue(char flag, std::string_view value);

}  // namespace nbx::datagen
