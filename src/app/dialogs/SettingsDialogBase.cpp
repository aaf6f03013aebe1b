#include "app/dialogs/SettingsDialogBase.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QTextEdit>

#include "qtcommon/QtText.h"

namespace nbx::app {

SettingsDialogBase::SettingsDialogBase(const QString& title, Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
    setWindowTitle(title);
    // Made without a parent: it joins the tab order where the dialog lays it out, last,
    // rather than ahead of every field.
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons_, &QDialogButtonBox::accepted, this, &SettingsDialogBase::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &SettingsDialogBase::reject);
}

void SettingsDialogBase::accept() {
    if (Validate()) {
        QDialog::accept();
    }
}

void SettingsDialogBase::Refuse(const std::string& message, QWidget* field) {
    prompter_.Show(message, MessageIcon::Warning);
    if (field != nullptr) {
        field->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(field)) {
            edit->selectAll();
        }
    }
}

}  // namespace nbx::app
