#pragma once
// "Edit User Interface" (CUserInterfaceDlg): the 32 switches in their list order, the
// toolbar position and the language with its "&Edit..." button.

#include "app/dialogs/SettingsDialogBase.h"
#include "appmodel/StartUpRules.h"
#include "viewerfiles/LanguageEditFlow.h"

class QComboBox;
class QListWidget;

namespace nbx::app {

class UserInterfaceDialog final : public SettingsDialogBase, private LanguageEditUi {
    Q_OBJECT

public:
    // languages: the installed languages with the project's selected.
    UserInterfaceDialog(const UserInterfaceValues& values, const LanguageList& languages,
                        Prompter& prompter, QWidget* parent = nullptr);
    UserInterfaceValues values() const;

private:
    void EditLanguage();
    std::optional<std::string> AskLanguageName(const std::string& startName) override;
    void ShowLanguageList(const LanguageList& list) override;
    void EditLanguage(const std::string& name, const std::string& path) override;

    QListWidget* switches_;
    QComboBox* position_;
    QComboBox* language_;
};

}  // namespace nbx::app
