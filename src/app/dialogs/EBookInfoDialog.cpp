#include "app/dialogs/EBookInfoDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "qtcommon/QtText.h"

namespace nbx::app {

namespace {

QLineEdit* AddRow(QGridLayout* grid, int row, const QString& text, bool required,
                  const std::string& value, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    auto* edit = new QLineEdit(ToQString(value), parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(255);
    label->setBuddy(edit);
    grid->addWidget(label, row * 2, 0, 1, 2);
    grid->addWidget(edit, row * 2 + 1, 0);
    grid->addWidget(MakeFieldMarker(required, parent), row * 2 + 1, 1);
    return edit;
}

}  // namespace

EBookInfoDialog::EBookInfoDialog(const EBookInfoValues& values, Prompter& prompter, QWidget* parent)
    : SettingsDialogBase(QStringLiteral("Edit E-Book Info"), prompter, parent) {
    auto* grid = new QGridLayout;
    grid->setColumnMinimumWidth(0, 360);
    title_ = AddRow(grid, 0, QStringLiteral("&Title"), true, values.title, "title", this);
    publisher_ =
        AddRow(grid, 1, QStringLiteral("&Publisher"), false, values.publisher, "publisher", this);
    copyright_ =
        AddRow(grid, 2, QStringLiteral("&Copyright"), true, values.copyright, "copyright", this);
    author_ = AddRow(grid, 3, QStringLiteral("&Author"), true, values.author, "author", this);
    email_ = AddRow(grid, 4, QStringLiteral("Author's E-&mail Address"), false, values.authorEmail,
                    "authorEmail", this);
    url_ = AddRow(grid, 5, QStringLiteral("Author's &Web Site URL - please include http://"), false,
                  values.authorUrl, "authorUrl", this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons());
}

EBookInfoValues EBookInfoDialog::values() const {
    return {ToUtf8(title_->text()),  ToUtf8(publisher_->text()), ToUtf8(copyright_->text()),
            ToUtf8(author_->text()), ToUtf8(email_->text()),     ToUtf8(url_->text())};
}

bool EBookInfoDialog::Validate() {
    const auto failure = CheckEBookInfo(values());
    if (!failure) {
        return true;
    }
    QLineEdit* fields[] = {title_, copyright_, author_};
    Refuse(failure->message, fields[static_cast<int>(failure->field)]);
    return false;
}

}  // namespace nbx::app
