#include "app/dialogs/SettingsDialogs.h"

#include <memory>

#include "app/dialogs/AddInsDialog.h"
#include "app/dialogs/EBookInfoDialog.h"
#include "app/dialogs/IconDialog.h"
#include "app/dialogs/OutputDialog.h"
#include "app/dialogs/StartUpDialog.h"
#include "app/dialogs/SystemPagesDialog.h"
#include "app/dialogs/UserInterfaceDialog.h"
#include "common/ProgramFolderPath.h"
#include "extensions/ExtensionRegistry.h"
#include "platform/Paths.h"
#include "project/CTamselDoc.h"
#include "qtcommon/MessageBoxPrompter.h"
#include "viewerfiles/LanguageList.h"

namespace nbx::app {

namespace {

constexpr const char* kMessageTitle = "Nimbrel E-Book Compiler";

std::string ProgramFile(const SettingsDialogContext& context, const char* name) {
    return context.programFolder.empty() ? ProgramFolderPath(name)
                                         : platform::JoinPath(context.programFolder, name);
}

// Runs the dialog that run() builds; on OK, apply() writes its values back.
template <typename Dialog, typename Build, typename Apply>
bool RunDialog(const SettingsDialogContext& context, Build build, Apply apply) {
    MessageBoxPrompter boxes{QString::fromLatin1(kMessageTitle)};
    Prompter& prompter = context.prompter != nullptr ? *context.prompter : boxes;
    std::unique_ptr<Dialog> dialog = build(prompter);
    boxes.SetParent(dialog.get());
    if (dialog->exec() != QDialog::Accepted) {
        return false;
    }
    apply(*dialog, prompter);
    return true;
}

const ExtensionRegistry& Registry(const SettingsDialogContext& context) {
    if (context.extensions != nullptr) {
        return *context.extensions;
    }
    if (const ExtensionRegistry* process = ProcessExtensionRegistry()) {
        return *process;
    }
    static const ExtensionRegistry empty;
    return empty;
}

}  // namespace

bool RunSettingsDialog(SettingsArea area, CTamselDoc& document,
                       const SettingsDialogContext& context) {
    Project& project = document.project();
    QWidget* parent = context.parent;
    switch (area) {
        case SettingsArea::EBookInfo:
            return RunDialog<EBookInfoDialog>(
                context,
                [&](Prompter& p) {
                    return std::make_unique<EBookInfoDialog>(EBookInfoOf(project), p, parent);
                },
                [&](EBookInfoDialog& d, Prompter&) { ApplyEBookInfo(d.values(), project); });
        case SettingsArea::Output:
            return RunDialog<OutputDialog>(
                context,
                [&](Prompter& p) {
                    return std::make_unique<OutputDialog>(OutputOf(project), p, parent);
                },
                [&](OutputDialog& d, Prompter&) { ApplyOutput(d.values(), project); });
        case SettingsArea::Icon:
            return RunDialog<IconDialog>(
                context,
                [&](Prompter& p) {
                    return std::make_unique<IconDialog>(
                        IconValues{project.iconFile, project.installOption},
                        ProgramFile(context, "icons"), p, parent);
                },
                [&](IconDialog& d, Prompter&) {
                    const IconValues values = d.values();
                    project.iconFile = values.iconFile;
                    project.installOption = values.installOption;
                    project.SetModified();
                });
        case SettingsArea::StartUp:
            return RunDialog<StartUpDialog>(
                context,
                [&](Prompter& p) {
                    return std::make_unique<StartUpDialog>(StartUpOf(project), p, parent);
                },
                [&](StartUpDialog& d, Prompter&) { ApplyStartUp(d.values(), project); });
        case SettingsArea::UserInterface:
            return RunDialog<UserInterfaceDialog>(
                context,
                [&](Prompter& p) {
                    const LanguageList languages =
                        context.programFolder.empty()
                            ? FillLanguageList(project.language, p)
                            : ListLanguagesIn(context.programFolder, project.language);
                    return std::make_unique<UserInterfaceDialog>(UserInterfaceOf(project),
                                                                 languages, p, parent);
                },
                [&](UserInterfaceDialog& d, Prompter&) {
                    ApplyUserInterface(d.values(), project);
                });
        case SettingsArea::SystemPages:
            return RunDialog<SystemPagesDialog>(
                context,
                [&](Prompter& p) {
                    return std::make_unique<SystemPagesDialog>(
                        SystemPagesOf(project), SystemPageFileChoices(project),
                        SystemPagesTabForSection(context.systemPage), p, parent);
                },
                [&](SystemPagesDialog& d, Prompter& p) {
                    std::string why;
                    if (!ApplySystemPages(d.values(), project, &why)) {
                        p.Show(NicknameNotKeptMessage(why), MessageIcon::Warning);
                    }
                });
        case SettingsArea::AddIns: {
            AddInsModel model(project, Registry(context), parent);
            return RunDialog<AddInsDialog>(
                context,
                [&](Prompter& p) { return std::make_unique<AddInsDialog>(model, p, parent); },
                [&](AddInsDialog&, Prompter& p) { model.ApplyTo(project, p); });
        }
    }
    return false;
}

}  // namespace nbx::app
