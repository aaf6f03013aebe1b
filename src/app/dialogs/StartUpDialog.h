#pragma once
// "Edit Start Up" (CStartUpDlg): the start-up message, the initial size and position, and
// the splash bitmap with its delay and percentage bar.

#include "app/dialogs/SettingsDialogBase.h"
#include "appmodel/StartUpRules.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace nbx::app {

class StartUpDialog final : public SettingsDialogBase {
    Q_OBJECT

public:
    StartUpDialog(const StartUpValues& values, Prompter& prompter, QWidget* parent = nullptr);
    StartUpValues values() const;

protected:
    bool Validate() override;

private:
    void UpdateEnabling();
    void Browse();

    QPlainTextEdit* message_;
    QComboBox* size_;
    QLineEdit* x_;
    QLineEdit* y_;
    QComboBox* position_;
    QLineEdit* splash_;
    QComboBox* delay_;
    QCheckBox* percentageBar_;
    QList<QWidget*> customWidgets_;
    QList<QWidget*> splashWidgets_;
};

}  // namespace nbx::app
