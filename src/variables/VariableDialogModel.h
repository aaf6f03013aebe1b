#pragma once
// The rules of the Add Variable and Edit Variable dialogs, which share one layout: which
// controls show, when the accepting buttons are enabled, and the checks run when the user
// accepts. The windows only gather the fields and draw what these functions decide.

#include <cstdint>
#include <string>
#include <string_view>

#include "variables/VariableKind.h"
#include "variables/VariableList.h"

namespace nbx {

class Prompter;

// The dialog's fields as the user left them. Each kind's value lives in its own editor.
struct VariableDialogFields {
    std::string name;
    std::int32_t kind = kHtmlFragment;  // the "&Type" selection
    bool canRebrand = true;             // the "Can &Rebrand" box
    std::string description;
    std::string singleLineValue;
    std::string multiLineValue;
    std::string fileName;

    const std::string& ValueText(ValueEditor editor) const;
    std::string& ValueText(ValueEditor editor);
};

// The fields as the dialog opens on entry: its value goes into the editor of its kind.
VariableDialogFields FieldsForVariable(const Variable& entry);

// What the dialog shows for the current fields; re-evaluated after every change.
struct VariableDialogState {
    bool canRebrandShown = false;   // the box is shown and enabled
    bool rebranding = false;        // the kind allows it and the box is checked
    bool descriptionShown = false;  // its label, field and "Required" label
    ValueEditor editor = ValueEditor::SingleLine;
    std::string_view valueLabel;  // "Va&lue" or "File &name"
    bool valueRequired = false;   // the "Required" label, else "Optional"
    bool browseShown = false;
    bool acceptEnabled = false;  // "&Add" and "A&dd Another", or "OK"
};

VariableDialogState EvaluateVariableDialog(const VariableDialogFields& fields);

enum class VariableDialogMode { Add, Edit };
enum class VariableField { None, Name, FileName };

struct VariableDialogCheck {
    bool accepted = false;
    VariableField focus = VariableField::None;  // where the focus goes when refused
    std::string message;                        // the message or question that refused
};

// The checks when the user accepts, in order: the name rules, the include file for kinds 4
// and 5 (ConfirmIncludeFile), and in the Add dialog the question before replacing a variable
// of the same name in existing. Messages and questions go through prompter; the first refusal
// is returned and the dialog stays open.
VariableDialogCheck CheckVariableDialog(const VariableDialogFields& fields, VariableDialogMode mode,
                                        const VariableList& existing, Prompter& prompter);

// Writes accepted fields into entry: name, kind, the kind's editor text as value, and the
// description and Can Rebrand only while rebranding is in effect (else empty and 0). The key
// is left alone.
void ApplyVariableDialog(const VariableDialogFields& fields, Variable& entry);

// "&Browse": the file dialog's title and its filter list for the kind, text files first for
// kind 5 and HTML files first otherwise.
inline constexpr std::string_view kSelectIncludeFileTitle = "Select Include File";
std::string IncludeFileFilter(std::int32_t kind);

}  // namespace nbx
