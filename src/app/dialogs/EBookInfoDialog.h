#pragma once
// "Edit E-Book Info": the book's descriptive texts.

#include "app/dialogs/SettingsDialogBase.h"
#include "appmodel/EBookInfoRules.h"

class QLineEdit;

namespace nbx::app {

class EBookInfoDialog final : public SettingsDialogBase {
    Q_OBJECT

public:
    EBookInfoDialog(const EBookInfoValues& values, Prompter& prompter, QWidget* parent = nullptr);
    EBookInfoValues values() const;

protected:
    bool Validate() override;

private:
    QLineEdit* title_;
    QLineEdit* publisher_;
    QLineEdit* copyright_;
    QLineEdit* author_;
    QLineEdit* email_;
    QLineEdit* url_;
};

}  // namespace nbx::app
