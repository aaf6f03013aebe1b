#include "eview/SearchBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "qtcommon/QtText.h"
#include "reader/ReaderTexts.h"

namespace nbx::eview {

SearchBar::SearchBar(const reader::ReaderTexts& texts, QWidget* parent) : QWidget(parent) {
    setObjectName("searchBar");
    auto* label = new QLabel(Q(texts.Text(LanguageKey::PromptSearchFor)), this);
    label->setObjectName("searchLabel");
    label->setTextFormat(Qt::PlainText);
    field_ = new QLineEdit(this);
    field_->setObjectName("searchField");
    label->setBuddy(field_);
    auto* button = new QPushButton(Q(texts.Text(LanguageKey::CaptionSearch)), this);
    button->setObjectName("searchButton");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addWidget(label);
    layout->addWidget(field_, 1);
    layout->addWidget(button);
    connect(field_, &QLineEdit::returnPressed, this, [this] { emit searchRequested(words()); });
    connect(button, &QPushButton::clicked, this, [this] { emit searchRequested(words()); });
}

QString SearchBar::words() const {
    return field_->text();
}

void SearchBar::setWords(const QString& words) {
    field_->setText(words);
}

void SearchBar::focusWords() {
    field_->setFocus();
    field_->selectAll();
}

}  // namespace nbx::eview
