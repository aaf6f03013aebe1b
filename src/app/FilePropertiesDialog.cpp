#include "app/FilePropertiesDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/Prompter.h"
#include "project/FileListCommands.h"
#include "qtcommon/QtText.h"

namespace nbx::app {

namespace {
QLineEdit* Edit(const std::string& text, const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(ToQString(text), parent);
    edit->setObjectName(name);
    edit->setMinimumWidth(360);
    return edit;
}

QCheckBox* Check(const char* text, int value, const char* name, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setChecked(value != 0);
    return box;
}
}  // namespace

FilePropertiesDialog::FilePropertiesDialog(const SourceFile& entry, Prompter& prompter,
                                           QWidget* parent)
    : QDialog(parent), prompter_(prompter), edited_(entry) {
    setObjectName("filePropertiesDialog");
    setWindowTitle("Edit File Properties");
    const bool html = IsHtmlName(entry.path);

    auto* form = new QFormLayout;
    auto* fileName = new QLineEdit(ToQString(entry.path), this);
    fileName->setObjectName("fileNameEdit");
    fileName->setReadOnly(true);
    fileName->setMinimumWidth(360);
    form->addRow("File Name", fileName);
    title_ = Edit(entry.title, "titleEdit", this);
    description_ = Edit(entry.description, "descriptionEdit", this);
    keywords_ = Edit(entry.keywords, "keywordsEdit", this);
    searchable_ = Check("&Searchable", entry.searchable, "searchableCheck", this);
    contents_ = Check("T&able Of Contents", entry.inContents, "contentsCheck", this);
    preprocess_ = Check("PrePro&cessor", entry.preprocess, "preprocessCheck", this);
    exclude_ = Check("E&xclude from E-Book", entry.excluded, "excludeCheck", this);
    if (html) {
        form->addRow("&Title", title_);
        form->addRow("&Description", description_);
        form->addRow("&Keywords", keywords_);
        form->addRow("", searchable_);
        form->addRow("", contents_);
        form->addRow("", preprocess_);
    } else {
        // Not part of any layout: hidden and disabled, and the dialog takes no room for them.
        for (QWidget* w : std::initializer_list<QWidget*>{title_, description_, keywords_,
                                                          searchable_, contents_, preprocess_}) {
            w->setEnabled(false);
            w->hide();
        }
    }
    form->addRow("", exclude_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &FilePropertiesDialog::TryAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void FilePropertiesDialog::TryAccept() {
    SourceFile edited = edited_;
    if (IsHtmlName(edited.path)) {
        edited.title = ToUtf8(title_->text());
        edited.description = ToUtf8(description_->text());
        edited.keywords = ToUtf8(keywords_->text());
        edited.searchable = searchable_->isChecked();
        edited.inContents = contents_->isChecked();
        edited.preprocess = preprocess_->isChecked();
    }
    edited.excluded = exclude_->isChecked();
    if (const auto problem = CheckFileProperties(edited)) {
        prompter_.Show(*problem, MessageIcon::Warning);
        title_->setFocus();
        return;
    }
    edited_ = edited;
    accept();
}

}  // namespace nbx::app
