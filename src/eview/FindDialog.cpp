#include "eview/FindDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qtcommon/QtText.h"
#include "reader/ReaderTexts.h"

namespace nbx::eview {

FindDialog::FindDialog(const reader::ReaderTexts& texts, QWidget* parent) : QDialog(parent) {
    setObjectName("findDialog");
    setWindowTitle(Q(texts.Text(LanguageKey::TitleFind)));

    auto* label = new QLabel(Q(texts.Text(LanguageKey::PromptFindWhat)), this);
    label->setObjectName("findLabel");
    label->setTextFormat(Qt::PlainText);
    field_ = new QLineEdit(this);
    field_->setObjectName("findField");
    label->setBuddy(field_);
    matchCase_ = new QCheckBox(Q(texts.Text(LanguageKey::CaptionMatchCase)), this);
    matchCase_->setObjectName("findMatchCase");
    findButton_ = new QPushButton(Q(texts.Text(LanguageKey::CaptionFindNext)), this);
    findButton_->setObjectName("findNextButton");
    findButton_->setDefault(true);
    findButton_->setEnabled(false);
    auto* close = new QPushButton(Q(texts.Text(LanguageKey::CaptionClose)), this);
    close->setObjectName("findCloseButton");

    auto* fields = new QVBoxLayout;
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(field_, 1);
    fields->addLayout(row);
    fields->addWidget(matchCase_);
    fields->addStretch(1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(findButton_);
    buttons->addWidget(close);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    connect(field_, &QLineEdit::textChanged, this,
            [this](const QString& t) { findButton_->setEnabled(!t.isEmpty()); });
    connect(findButton_, &QPushButton::clicked, this, &FindDialog::findNext);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
}

QString FindDialog::text() const {
    return field_->text();
}

bool FindDialog::matchCase() const {
    return matchCase_->isChecked();
}

}  // namespace nbx::eview
