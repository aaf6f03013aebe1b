#include "app/dialogs/LanguagePartsDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "qtcommon/QtText.h"

namespace nbx::app {

LanguagePartsDialog::LanguagePartsDialog(char flag, const std::string& purpose,
                                         const std::string& value, Prompter& prompter,
                                         QWidget* parent)
    : QDialog(parent), prompter_(prompter), fields_(SplitTwoPart(flag, value)), value_(value) {
    setWindowTitle(QString::fromLatin1(kEditTextTitle));
    auto* layout = new QVBoxLayout(this);
    auto* purposeLabel = new QLabel(ToQString(purpose), this);
    purposeLabel->setTextFormat(Qt::PlainText);
    purposeLabel->setWordWrap(true);
    layout->addWidget(purposeLabel);

    first_ = new QLineEdit(ToQString(fields_.first), this);
    first_->setObjectName(QStringLiteral("first"));
    first_->setMaxLength(static_cast<int>(fields_.firstLimit));
    first_->setMinimumWidth(420);
    auto* firstLabel = new QLabel(ToQString(fields_.firstLabel), this);
    firstLabel->setBuddy(first_);
    second_ = new QLineEdit(ToQString(fields_.second), this);
    second_->setObjectName(QStringLiteral("second"));
    second_->setMaxLength(static_cast<int>(fields_.secondLimit));
    second_->setEnabled(fields_.secondEnabled);
    auto* secondLabel = new QLabel(ToQString(fields_.secondLabel), this);
    secondLabel->setBuddy(second_);
    secondLabel->setEnabled(fields_.secondEnabled);
    layout->addWidget(firstLabel);
    layout->addWidget(first_);
    layout->addWidget(secondLabel);
    layout->addWidget(second_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &LanguagePartsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void LanguagePartsDialog::accept() {
    const TwoPartResult result =
        JoinTwoPart(fields_, ToUtf8(first_->text()), ToUtf8(second_->text()));
    if (!result.ok) {
        prompter_.Show(result.message, MessageIcon::Warning);
        (second_->isEnabled() && second_->text().isEmpty() ? second_ : first_)->setFocus();
        return;
    }
    value_ = result.value;
    QDialog::accept();
}

}  // namespace nbx::app
