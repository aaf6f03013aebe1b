#include "variables/VariablePreparation.h"

#include "variables/IncludeFile.h"
#include "variables/VariableKind.h"
#include "variables/VariableName.h"

namespace nbx {

namespace {

constexpr std::string_view kRebrandAdvice =
    "Go to the Nimbrel Variables tab, select the variable, click 'Properties' on the 'Edit' "
    "menu. You can then turn off the Rebrand option or enter a description.";

VariablePreparation Failure(std::string title, std::string_view advice) {
    VariablePreparation result;
    result.errorTitle = std::move(title);
    result.errorAdvice = advice;
    return result;
}

}  // namespace

VariablePreparation PrepareBuildVariables(const std::vector<Variable>& variables) {
    VariablePreparation result;
    result.variables.reserve(variables.size());
    for (const Variable& variable : variables) {
        BuildVariable out;
        out.name = variable.name;
        out.kind = variable.kind;

        std::string message;
        if (!ValidateVariableName(out.name, message)) {
            return Failure("The Nimbrel Variable '" + out.name + "' is invalid. " + message,
                           kVariableEditAdvice);
        }
        if (variable.canRebrand != 0 && IsRebrandableKind(variable.kind)) {
            if (variable.description.empty()) {
                return Failure("The Nimbrel Variable '" + out.name +
                                   "' has been set to be rebrandable but has no description.",
                               kRebrandAdvice);
            }
            out.description = variable.description;
            out.canRebrand = 1;
        }
        if (!ResolveVariableValue(variable.kind, variable.value, out.value)) {
            return Failure("The Nimbrel Variable called '" + out.name +
                               "' includes a file which does not exist or could not be read.",
                           kVariableEditAdvice);
        }
        result.variables.push_back(std::move(out));
    }
    result.ok = true;
    return result;
}

}  // namespace nbx
