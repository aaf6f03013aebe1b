#include "app/dialogs/LanguageNameDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qtcommon/QtText.h"
#include "viewerfiles/LanguageEditFlow.h"

namespace nbx::app {

LanguageNameDialog::LanguageNameDialog(std::string startName, Prompter& prompter, QWidget* parent)
    : QDialog(parent), startName_(std::move(startName)), prompter_(prompter) {
    setWindowTitle(QString::fromLatin1(kLanguageNameTitle));
    auto* label = new QLabel(QString::fromLatin1(kLanguageNameLabel), this);
    name_ = new QLineEdit(ToQString(startName_), this);
    name_->setObjectName(QStringLiteral("languageName"));
    name_->setMaxLength(static_cast<int>(kLanguageNameMaxLength));
    name_->setMinimumWidth(240);
    label->setBuddy(name_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &LanguageNameDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LanguageNameDialog::reject);
    connect(name_, &QLineEdit::textChanged, this,
            [this] { ok_->setEnabled(LanguageNameOkEnabled(ToUtf8(name_->text()))); });
    ok_->setEnabled(LanguageNameOkEnabled(startName_));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(name_);
    layout->addWidget(buttons);
}

std::string LanguageNameDialog::name() const {
    return ToUtf8(name_->text());
}

void LanguageNameDialog::accept() {
    const LanguageNameCheck check = CheckLanguageName(name(), startName_, prompter_);
    if (check.accepted) {
        QDialog::accept();
        return;
    }
    if (!check.message.empty()) {
        prompter_.Show(check.message, MessageIcon::Warning);
    }
    name_->setFocus(Qt::OtherFocusReason);
    name_->selectAll();
}

}  // namespace nbx::app
