#pragma once
// What every settings dialog shares: OK and Cancel, OK running the dialog's checks (the
// first failure shows its message through the Prompter, focuses its field and keeps the
// dialog open), and the small "Required" and "Optional" field labels.

#include <QDialog>
#include <QLabel>

#include "common/Prompter.h"
#include "qtcommon/FieldMarker.h"

class QDialogButtonBox;
class QWidget;

namespace nbx::app {

class SettingsDialogBase : public QDialog {
    Q_OBJECT

public:
    SettingsDialogBase(const QString& title, Prompter& prompter, QWidget* parent);

    void accept() override;

protected:
    // The dialog's checks in order; false after showing the first failure.
    virtual bool Validate() { return true; }
    // Shows a failure and puts the focus on its field.
    void Refuse(const std::string& message, QWidget* field);

    // OK and Cancel; every dialog lays them out last.
    QDialogButtonBox* buttons() const { return buttons_; }
    Prompter& prompter() const { return prompter_; }

private:
    Prompter& prompter_;
    QDialogButtonBox* buttons_;
};

}  // namespace nbx::app
