#include "variables/VariableCommands.h"

#include <string>
#include <utility>

#include "common/Prompter.h"
#include "project/Project.h"
#include "variables/VariableList.h"

namespace nbx {

namespace {

// Every successful change ends here.
void Changed(Project& project, Prompter& prompter) {
    project.SetModified();
    SortVariables(project.variables, prompter);
}

void ShowNotFound(std::string_view name, Prompter& prompter) {
    prompter.Show("Can't find a variable called '" + std::string(name) + "'.");
}

bool SetKeyAndSort(Project& project, std::size_t index, const char* key, Prompter& prompter) {
    if (index >= project.variables.size()) {
        return false;
    }
    project.variables[index].orderKey = key;
    Changed(project, prompter);
    return true;
}

}  // namespace

bool AddVariable(Project& project, Prompter& prompter, const AddVariableDialog& dialog,
                 bool& addAnother) {
    addAnother = false;
    Variable entry;  // blank: empty texts and key, Can Rebrand on, kind 0
    const AddDialogResult result = dialog(entry);
    if (result != AddDialogResult::Add && result != AddDialogResult::AddAnother) {
        return false;
    }
    // The empty key puts the entry, new or replacing, at the bottom.
    entry.orderKey.clear();
    AddOrReplaceVariable(project.variables, entry);
    addAnother = result == AddDialogResult::AddAnother;
    Changed(project, prompter);
    return true;
}

bool EditVariable(Project& project, std::string_view name, Prompter& prompter,
                  const EditVariableDialog& dialog) {
    const int index = FindVariable(project.variables, name);
    if (index < 0) {
        ShowNotFound(name, prompter);
        return false;
    }
    // Copies first: name may point into the list that is about to change.
    const std::string oldName(name);
    Variable entry = project.variables[static_cast<std::size_t>(index)];
    if (!dialog(entry)) {
        return false;
    }
    // The copy keeps the old key and so the old place.
    RemoveVariable(project.variables, oldName);
    AddOrReplaceVariable(project.variables, entry);
    Changed(project, prompter);
    return true;
}

bool DeleteVariable(Project& project, std::string_view name, Prompter& prompter) {
    if (FindVariable(project.variables, name) < 0) {
        ShowNotFound(name, prompter);
        return false;
    }
    const std::string target(name);
    if (prompter.Ask("Are you sure that you want to delete this variable?", Buttons::YesNo,
                     Answer::No, MessageIcon::Question) != Answer::Yes) {
        return false;
    }
    RemoveVariable(project.variables, target);
    Changed(project, prompter);
    return true;
}

bool MoveVariableUp(Project& project, std::size_t index, Prompter& prompter) {
    auto& list = project.variables;
    if (index >= list.size()) {
        return false;
    }
    if (index == 0) {
        prompter.Show("This variable can not be moved further up.");
        return false;
    }
    std::swap(list[index].orderKey, list[index - 1].orderKey);
    Changed(project, prompter);
    return true;
}

bool MoveVariableDown(Project& project, std::size_t index, Prompter& prompter) {
    auto& list = project.variables;
    if (index >= list.size()) {
        return false;
    }
    if (index + 1 == list.size()) {
        prompter.Show("This variable can not be moved further down.");
        return false;
    }
    std::swap(list[index].orderKey, list[index + 1].orderKey);
    Changed(project, prompter);
    return true;
}

bool MoveVariableToTop(Project& project, std::size_t index, Prompter& prompter) {
    return SetKeyAndSort(project, index, "00000000", prompter);
}

bool MoveVariableToBottom(Project& project, std::size_t index, Prompter& prompter) {
    return SetKeyAndSort(project, index, "99999999", prompter);
}

}  // namespace nbx
