#pragma once
// The installed languages: the "*.lng" files of the program folder, each listed by its name
// cut at the first ".", for the language list of the User Interface dialog.

#include <string>
#include <string_view>
#include <vector>

#include "common/Prompter.h"

namespace nbx {

struct LanguageList {
    std::vector<std::string> names;
    // The entry to select: the (last) name equal to the wanted one ignoring case, else the
    // first entry; -1 when the list is empty.
    int selected = -1;
};

// Lists the languages of folder. Names are sorted ignoring case (ties in byte order), so
// the list reads the same on every file system. Folders and unreadable entries are
// skipped; a folder that cannot be read gives an empty list.
LanguageList ListLanguagesIn(const std::string& folder, std::string_view wantedName);

// ListLanguagesIn on the program folder. When the program folder cannot be determined,
// shows "Error finding language data!" and returns an empty list.
LanguageList FillLanguageList(std::string_view wantedName, Prompter& prompter);

}  // namespace nbx
