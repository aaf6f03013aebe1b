#pragma once
// The build's last look at the variables before they go into the e-book: names checked,
// rebranding settled, include files read and converted.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "project/Variable.h"

namespace nbx {

// The advice of the build's errors about one variable that the user has to edit.
inline constexpr const char* kVariableEditAdvice =
    "Go to the Nimbrel Variables tab, select the variable, click 'Properties' on the 'Edit' "
    "menu. You can then edit the variable.";

// The progress stage the build reports while preparing the variables.
inline constexpr std::string_view kPrepareVariablesStage = "Preparing Nimbrel Variables";
inline constexpr int kPrepareVariablesPercent = 85;

// One variable as the output writer stores it.
struct BuildVariable {
    std::string name;
    std::string description;  // empty unless rebranding is in effect
    std::string value;        // resolved: include files read and converted
    std::int32_t canRebrand = 0;
    std::int32_t kind = 0;

    bool operator==(const BuildVariable&) const = default;
};

// The outcome: on success the variables in list order; on failure the build error (title
// and advice) for the first faulty variable and no variables.
struct VariablePreparation {
    bool ok = false;
    std::vector<BuildVariable> variables;
    std::string errorTitle;
    std::string errorAdvice;
};

// Prepares every variable in list order, stopping at the first that has an invalid name,
// is rebrandable without a description, or has an include file that cannot be read.
// Reports nothing itself; the build reports the error.
VariablePreparation PrepareBuildVariables(const std::vector<Variable>& variables);

}  // namespace nbx
