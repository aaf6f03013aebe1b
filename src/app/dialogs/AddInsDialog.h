#pragma once
// "Edit Add-Ins" (CAddInsDlg): the two event handler texts and the run-time extensions the
// project loads. The rows and buttons are AddInsModel's; this draws them.

#include "app/dialogs/SettingsDialogBase.h"
#include "extensions/AddInsModel.h"

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace nbx::app {

class AddInsDialog final : public SettingsDialogBase {
    Q_OBJECT

public:
    AddInsDialog(AddInsModel& model, Prompter& prompter, QWidget* parent = nullptr);
    // Takes the texts into the model.
    void accept() override;

private:
    void ShowRows();
    void UpdateButtons();
    std::optional<std::size_t> Selected() const;

    AddInsModel& model_;
    QLineEdit* onStart_;
    QLineEdit* onExit_;
    QTreeWidget* list_;
    QPushButton* add_;
    QPushButton* remove_;
    QPushButton* info_;
};

}  // namespace nbx::app
