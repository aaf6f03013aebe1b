// tamselc var PROJECT add|edit|delete|move ...: the variable list's commands, with the checks
// and questions of the Add Variable and Edit Variable dialogs.

#include <optional>
#include <string>

#include "cli/Command.h"
#include "cli/ConsolePrompter.h"
#include "cli/ProjectEdit.h"
#include "project/CTamselDoc.h"
#include "variables/VariableCommands.h"
#include "variables/VariableDialogModel.h"
#include "variables/VariableList.h"

namespace nbx::cli {

namespace {

constexpr const char* kUsage =
    "var PROJECT add NAME [--kind 0-5] [--value TEXT] [--description TEXT] [--rebrand on|off]\n"
    "    PROJECT edit NAME [--name NEW] [--kind 0-5] [--value TEXT] [--description TEXT]\n"
    "                      [--rebrand on|off]\n"
    "    PROJECT delete NAME\n"
    "    PROJECT move NAME top|up|down|bottom\n"
    "  [--yes|--no] answer the questions (replacing a variable, deleting one, an include file\n"
    "  that is not there yet); without them each question takes its default answer.\n"
    "  Kinds: 0 HTML, 1 Text -> HTML, 2 Long HTML, 3 Long Text -> HTML, 4 Include HTML,\n"
    "  5 Include -> HTML (the value of 4 and 5 is the path of the file read at build time).\n"
    "  Nothing is written when a check or a question refuses.";

struct VarOptions {
    std::optional<std::string> name, value, description;
    std::optional<std::int32_t> kind;
    std::optional<bool> rebrand;
};

// Reads the options after NAME; the error, or empty.
std::string ReadOptions(const Args& args, std::size_t from, VarOptions& o, bool allowName) {
    for (std::size_t i = from; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (i + 1 >= args.size()) {
            return "'" + a + "' needs a value";
        }
        const std::string& v = args[++i];
        if (a == "--value") {
            o.value = v;
        } else if (a == "--description") {
            o.description = v;
        } else if (a == "--name" && allowName) {
            o.name = v;
        } else if (a == "--kind") {
            if (v.size() != 1 || v[0] < '0' || v[0] > '5') {
                return "--kind takes 0 to 5, not '" + v + "'";
            }
            o.kind = v[0] - '0';
        } else if (a == "--rebrand") {
            const std::optional<int> on = OnOff(v);
            if (!on) {
                return "--rebrand takes on or off, not '" + v + "'";
            }
            o.rebrand = *on != 0;
        } else {
            return "unknown option '" + a + "'";
        }
    }
    return {};
}

void Apply(const VarOptions& o, VariableDialogFields& fields) {
    if (o.name) {
        fields.name = *o.name;
    }
    if (o.kind) {
        // The value stays with the editor it was typed in, as in the dialog; carry it over.
        const std::string value = fields.ValueText(EditorForKind(fields.kind));
        fields.kind = *o.kind;
        fields.ValueText(EditorForKind(fields.kind)) = value;
    }
    if (o.value) {
        fields.ValueText(EditorForKind(fields.kind)) = *o.value;
    }
    if (o.description) {
        fields.description = *o.description;
    }
    if (o.rebrand) {
        fields.canRebrand = *o.rebrand;
    }
}

// The dialog's accepting button is disabled for these fields; what it waits for.
std::string DisabledReason(const VariableDialogFields& fields) {
    if (fields.name.empty()) {
        return "a variable needs a name";
    }
    if (IsIncludeKind(fields.kind) && fields.fileName.empty()) {
        return "a variable of kind " + std::to_string(fields.kind) + " needs a file name (--value)";
    }
    return "a variable that can be rebranded needs a description (--description)";
}

// The dialog run on fields: its checks through prompter, then the fields stored in entry.
bool RunDialog(const VariableDialogFields& fields, VariableDialogMode mode, const Project& project,
               Prompter& prompter, Variable& entry, std::string& error) {
    if (!EvaluateVariableDialog(fields).acceptEnabled) {
        error = DisabledReason(fields);
        return false;
    }
    // A refusal has gone through prompter already.
    if (!CheckVariableDialog(fields, mode, project.variables, prompter).accepted) {
        return false;
    }
    ApplyVariableDialog(fields, entry);
    return true;
}

// nullopt when the project changed; else what refused, or empty when the rules' own message
// (kept by prompter) says it.
std::optional<std::string> Run(Project& project, const Args& args, Prompter& prompter) {
    const std::string& action = args[1];
    const std::string& name = args[2];
    std::string error;
    if (action == "add" || action == "edit") {
        VarOptions o;
        error = ReadOptions(args, 3, o, action == "edit");
        if (!error.empty()) {
            return error;
        }
        if (action == "add") {
            bool another = false;
            VariableDialogFields fields;
            fields.name = name;
            Apply(o, fields);
            const bool added = AddVariable(
                project, prompter,
                [&](Variable& entry) {
                    return RunDialog(fields, VariableDialogMode::Add, project, prompter, entry,
                                     error)
                               ? AddDialogResult::Add
                               : AddDialogResult::Stop;
                },
                another);
            return added ? std::nullopt : std::optional(error);
        }
        const bool edited = EditVariable(project, name, prompter, [&](Variable& entry) {
            VariableDialogFields fields = FieldsForVariable(entry);
            Apply(o, fields);
            return RunDialog(fields, VariableDialogMode::Edit, project, prompter, entry, error);
        });
        return edited ? std::nullopt : std::optional(error);
    }
    if (action == "delete") {
        if (args.size() != 3) {
            return "delete takes only the variable's name";
        }
        return DeleteVariable(project, name, prompter) ? std::nullopt : std::optional(error);
    }
    if (action == "move") {
        if (args.size() != 4) {
            return "move takes the variable's name and top, up, down or bottom";
        }
        const int index = FindVariable(project.variables, name);
        if (index < 0) {
            return "Can't find a variable called '" + name + "'.";
        }
        const auto i = static_cast<std::size_t>(index);
        const std::string& where = args[3];
        bool moved = false;
        if (where == "top") {
            moved = MoveVariableToTop(project, i, prompter);
        } else if (where == "up") {
            moved = MoveVariableUp(project, i, prompter);
        } else if (where == "down") {
            moved = MoveVariableDown(project, i, prompter);
        } else if (where == "bottom") {
            moved = MoveVariableToBottom(project, i, prompter);
        } else {
            return "move takes top, up, down or bottom, not '" + where + "'";
        }
        return moved ? std::nullopt : std::optional(error);
    }
    return "unknown action '" + action + "'";
}

}  // namespace

const char* VarUsage() {
    return kUsage;
}

int RunVar(const Args& given, Console& console) {
    Args args = given;
    const std::optional<bool> forced = TakeYesNo(args);
    ConsolePrompter shown(console, forced);
    CTamselDoc doc;
    if (const std::optional<int> end = StartEdit(console, args, 3, kUsage, doc, shown)) {
        return *end;
    }
    KeepingPrompter prompter(forced);
    std::optional<std::string> error = Run(doc.project(), args, prompter);
    if (error) {
        // The rules' own messages, the last of which refused unless the command says why.
        std::vector<std::string>& messages = prompter.messages;
        if (error->empty() && !messages.empty()) {
            *error = messages.back();
            messages.pop_back();
        }
        for (const std::string& message : messages) {
            Complain(console, "var", message);
        }
        Refuse(console, "var", error->empty() ? "nothing changed" : *error);
        return 1;
    }
    return doc.OnSaveDocument(args[0], shown) ? 0 : 1;
}

}  // namespace nbx::cli
