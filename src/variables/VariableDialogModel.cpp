#include "variables/VariableDialogModel.h"

#include <utility>

#include "common/Prompter.h"
#include "variables/IncludeFile.h"
#include "variables/VariableName.h"

namespace nbx {

const std::string& VariableDialogFields::ValueText(ValueEditor editor) const {
    switch (editor) {
        case ValueEditor::MultiLine:
            return multiLineValue;
        case ValueEditor::FileName:
            return fileName;
        case ValueEditor::SingleLine:
            break;
    }
    return singleLineValue;
}

std::string& VariableDialogFields::ValueText(ValueEditor editor) {
    return const_cast<std::string&>(std::as_const(*this).ValueText(editor));
}

VariableDialogFields FieldsForVariable(const Variable& entry) {
    VariableDialogFields fields;
    fields.name = entry.name;
    fields.kind = entry.kind;
    fields.canRebrand = entry.canRebrand != 0;
    fields.description = entry.description;
    fields.ValueText(EditorForKind(entry.kind)) = entry.value;
    return fields;
}

namespace {

bool Rebranding(const VariableDialogFields& fields) {
    return IsRebrandableKind(fields.kind) && fields.canRebrand;
}

}  // namespace

VariableDialogState EvaluateVariableDialog(const VariableDialogFields& fields) {
    VariableDialogState state;
    state.canRebrandShown = IsRebrandableKind(fields.kind);
    state.rebranding = Rebranding(fields);
    state.descriptionShown = state.rebranding;
    state.editor = EditorForKind(fields.kind);
    const bool include = state.editor == ValueEditor::FileName;
    state.valueLabel = include ? "File &name" : "Va&lue";
    state.valueRequired = include;
    state.browseShown = include;
    state.acceptEnabled = !fields.name.empty() && !(include && fields.fileName.empty()) &&
                          !(state.rebranding && fields.description.empty());
    return state;
}

VariableDialogCheck CheckVariableDialog(const VariableDialogFields& fields, VariableDialogMode mode,
                                        const VariableList& existing, Prompter& prompter) {
    std::string message;
    if (!ValidateVariableName(fields.name, message)) {
        prompter.Show(message);
        return {false, VariableField::Name, message};
    }
    if (IsIncludeKind(fields.kind)) {
        const IncludeFileCheck check = CheckIncludeFile(fields.fileName);
        if (!ConfirmIncludeFileCheck(check, prompter)) {
            return {false, VariableField::FileName, std::string(IncludeFileMessage(check))};
        }
    }
    if (mode == VariableDialogMode::Add && FindVariable(existing, fields.name) >= 0) {
        message = "There is a variable already called '" + fields.name +
                  "'.\n\nDo you want to replace it?";
        if (prompter.Ask(message, Buttons::YesNo, Answer::No, MessageIcon::Question) !=
            Answer::Yes) {
            return {false, VariableField::Name, message};
        }
    }
    return {true, VariableField::None, {}};
}

void ApplyVariableDialog(const VariableDialogFields& fields, Variable& entry) {
    entry.name = fields.name;
    entry.kind = fields.kind;
    entry.value = fields.ValueText(EditorForKind(fields.kind));
    if (Rebranding(fields)) {
        entry.description = fields.description;
        entry.canRebrand = 1;
    } else {
        entry.description.clear();
        entry.canRebrand = 0;
    }
}

std::string IncludeFileFilter(std::int32_t kind) {
    constexpr std::string_view kText = "Text Files (*.txt)|*.txt|";
    constexpr std::string_view kHtml = "HTML Files (*.htm;*.html)|*.htm;*.html|";
    std::string filter;
    if (kind == kIncludeTextToHtml) {
        filter.append(kText).append(kHtml);
    } else {
        filter.append(kHtml).append(kText);
    }
    return filter.append("All Files (*.*)|*.*|").append("|");
}

}  // namespace nbx
