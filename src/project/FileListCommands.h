#pragma once
// The commands of the Files tab that change file attributes, and the OK checks of the file
// properties editor. Only HTML files with a title may be searchable or in the Table Of
// Contents; only HTML files are preprocessed.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "project/Project.h"

namespace nbx {

class Prompter;

// Per-file toggles of entry `index`. Each returns true when it flipped the flag and set the
// modified flag; a refused toggle shows its message and changes nothing. An index past the
// end does nothing.
bool ToggleExcluded(Project& project, std::size_t index);
bool ToggleSearchable(Project& project, std::size_t index, Prompter& prompter);
bool ToggleInContents(Project& project, std::size_t index, Prompter& prompter);
bool TogglePreprocess(Project& project, std::size_t index, Prompter& prompter);

enum class AllFilesCommand {
    MakeSearchable,
    RemoveSearchable,
    ListInContents,
    RemoveFromContents,
    PreprocessorOn,
    PreprocessorOff,
};

// Sets one attribute on every file it applies to, after a Yes to its question (No is the
// default). On Yes: the flags are set, the modified flag is set even when nothing changed,
// `redraw` runs, and then Make Searchable and List in Table Of Contents name the HTML files
// that were left out for want of a title. Returns false, changing nothing, when the project
// has no files or the answer is No.
bool RunAllFilesCommand(Project& project, AllFilesCommand command, Prompter& prompter,
                        const std::function<void()>& redraw = {});

// The first failure of the file properties editor's OK, for the edited values of an entry
// (its path tells whether it is an HTML file); the focus then goes to the title box. A title
// of blanks counts as present. nullopt when the values may be stored.
std::optional<std::string> CheckFileProperties(const SourceFile& edited);

// Stores the editor's fields (every field but path and orderKey) into entry `index` and sets
// the modified flag. REQUIRES: CheckFileProperties(edited) found nothing.
void StoreFileProperties(Project& project, std::size_t index, const SourceFile& edited);

}  // namespace nbx
