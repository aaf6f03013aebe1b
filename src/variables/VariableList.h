#pragma once
// Operations on a project's ordered variable list. Names compare exactly (case-sensitive).
// The list order is what the user sees; SortVariables brings it in line with the keys and
// renumbers them densely from "00001000".

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "project/Variable.h"

namespace nbx {

class Prompter;

using VariableList = std::vector<Variable>;

// Position of the first entry named name, or -1.
int FindVariable(const VariableList& list, std::string_view name);

// Overwrites every field of the first entry named like variable (its key too), or appends a
// copy when there is none.
void AddOrReplaceVariable(VariableList& list, const Variable& variable);

// Removes every entry named name, keeping the order of the rest. True if any was removed.
bool RemoveVariable(VariableList& list, std::string_view name);

// True when a sorts before b: by key, byte by byte, with empty keys last.
bool CompareVariableKeys(const Variable& a, const Variable& b);

// Sorts the list by key (under the wait cursor) and gives entry i the key of 1000 + i.
// Entries with equal keys keep their relative order. Returns false after showing "Internal
// Error" when StoreSortedVariables refuses.
bool SortVariables(VariableList& list, Prompter& prompter);

// The last step of SortVariables: replaces list by sorted, renumbering the keys. If the two
// differ in length, something lost or made up entries: shows "Internal Error", leaves list
// as it was and returns false.
bool StoreSortedVariables(VariableList& list, VariableList sorted, Prompter& prompter);

// The columns of the variable list: "Variable", "Type", "Rebrand", "Description", "Value".
struct VariableColumn {
    std::string_view title;
    int width;
};
extern const std::array<VariableColumn, 5> kVariableColumns;

// The texts of one row of the variable list, in column order.
std::array<std::string, 5> VariableRowTexts(const Variable& variable);

}  // namespace nbx
