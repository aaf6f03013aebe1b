#pragma once
// The commands of the variable list, over the project that owns it. A command that changes
// the list marks the project modified and re-sorts the list, so its order always matches the
// rows shown. Dialogs are passed in as callables: the window shows the dialog, checks it with
// CheckVariableDialog and writes the accepted fields with ApplyVariableDialog; tests pass a
// lambda.

#include <cstddef>
#include <functional>
#include <string_view>

#include "project/Variable.h"

namespace nbx {

class Project;
class Prompter;

// How the Add Variable dialog was left: "&Add", "A&dd Another" or "&Stop".
enum class AddDialogResult { Add = 1, Stop = 2, AddAnother = 4 };

// Runs the Add Variable dialog on entry; on Add or Add Another entry holds the fields.
using AddVariableDialog = std::function<AddDialogResult(Variable& entry)>;
// Runs the Edit Variable dialog on entry; true on OK, with entry holding the fields.
using EditVariableDialog = std::function<bool(Variable& entry)>;

// Opens the dialog on a blank entry and stores what it gives (replacing a variable of the same
// name, which then moves to the bottom). addAnother is set when the user chose Add Another.
// True if a variable was stored.
bool AddVariable(Project& project, Prompter& prompter, const AddVariableDialog& dialog,
                 bool& addAnother);

// Opens the dialog on a copy of the variable called name and, on OK, puts the edited copy in
// its place. A new name that another variable has overwrites that other variable. A missing
// name shows "Can't find a variable called '...'." True if the dialog was confirmed.
bool EditVariable(Project& project, std::string_view name, Prompter& prompter,
                  const EditVariableDialog& dialog);

// Asks, and on Yes removes the variable called name. True if removed.
bool DeleteVariable(Project& project, std::string_view name, Prompter& prompter);

// Moves of the row at index (rows are the sorted list). Up on the first row and Down on the
// last show their message and change nothing. An index past the end does nothing. True when
// the project changed.
bool MoveVariableUp(Project& project, std::size_t index, Prompter& prompter);
bool MoveVariableDown(Project& project, std::size_t index, Prompter& prompter);
bool MoveVariableToTop(Project& project, std::size_t index, Prompter& prompter);
bool MoveVariableToBottom(Project& project, std::size_t index, Prompter& prompter);

}  // namespace nbx
