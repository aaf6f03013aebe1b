#include "variables/VariableList.h"

#include <algorithm>

#include "common/Prompter.h"
#include "project/SourceFile.h"
#include "variables/VariableKind.h"

namespace nbx {

int FindVariable(const VariableList& list, std::string_view name) {
    const auto it = std::find_if(list.begin(), list.end(),
                                 [name](const Variable& v) { return v.name == name; });
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void AddOrReplaceVariable(VariableList& list, const Variable& variable) {
    const int index = FindVariable(list, variable.name);
    if (index < 0) {
        list.push_back(variable);
    } else {
        list[static_cast<std::size_t>(index)] = variable;
    }
}

bool RemoveVariable(VariableList& list, std::string_view name) {
    const auto removed = std::erase_if(list, [name](const Variable& v) { return v.name == name; });
    return removed > 0;
}

bool CompareVariableKeys(const Variable& a, const Variable& b) {
    if (a.orderKey == b.orderKey || a.orderKey.empty()) {
        return false;
    }
    return b.orderKey.empty() || a.orderKey < b.orderKey;
}

bool SortVariables(VariableList& list, Prompter& prompter) {
    BusyScope busy(prompter);
    VariableList sorted = list;
    std::stable_sort(sorted.begin(), sorted.end(), CompareVariableKeys);
    return StoreSortedVariables(list, std::move(sorted), prompter);
}

bool StoreSortedVariables(VariableList& list, VariableList sorted, Prompter& prompter) {
    if (sorted.size() != list.size()) {
        prompter.Show("Internal Error", MessageIcon::Error);
        return false;
    }
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        sorted[i].orderKey = OrderKeyForPosition(i);
    }
    list = std::move(sorted);
    return true;
}

const std::array<VariableColumn, 5> kVariableColumns = {{
    {"Variable", 150},
    {"Type", 150},
    {"Rebrand", 150},
    {"Description", 150},
    {"Value", 1100},
}};

std::array<std::string, 5> VariableRowTexts(const Variable& variable) {
    return {variable.name, std::string(KindShortName(variable.kind)),
            variable.canRebrand ? "Yes" : "", variable.description, variable.value};
}

}  // namespace nbx
