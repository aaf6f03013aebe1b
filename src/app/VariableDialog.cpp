#include "app/VariableDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>

#include "app/dialogs/SettingsDialogBase.h"
#include "qtcommon/FileDialogFilter.h"
#include "qtcommon/QtText.h"

namespace nbx::app {

VariableDialog::VariableDialog(VariableDialogMode mode, const Variable& entry,
                               const VariableList& existing, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      mode_(mode),
      existing_(existing),
      prompter_(prompter),
      fields_(FieldsForVariable(entry)) {
    chooseFile = [this](const QString& title, const QString& start, const QString& filter) {
        return QFileDialog::getOpenFileName(this, title, start, filter);
    };
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);

    auto* nameLabel = new QLabel("&Variable", this);
    name_ = new QLineEdit(ToQString(fields_.name), this);
    name_->setObjectName("nameEdit");
    name_->setMaxLength(static_cast<int>(kMaxVariableNameLength));
    nameLabel->setBuddy(name_);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(name_, 0, 1);
    grid->addWidget(MakeFieldMarker(true, this), 0, 2);

    auto* kindLabel = new QLabel("&Type", this);
    kind_ = new QComboBox(this);
    kind_->setObjectName("kindCombo");
    for (std::int32_t k = 0; k < kVariableKindCount; ++k) {
        kind_->addItem(ToQString(KindLongName(k)));
    }
    kind_->setCurrentIndex(fields_.kind >= 0 && fields_.kind < kVariableKindCount ? fields_.kind
                                                                                  : 0);
    kindLabel->setBuddy(kind_);
    grid->addWidget(kindLabel, 1, 0);
    grid->addWidget(kind_, 1, 1);

    canRebrand_ = new QCheckBox("Can &Rebrand", this);
    canRebrand_->setObjectName("canRebrandCheck");
    canRebrand_->setChecked(fields_.canRebrand);
    grid->addWidget(canRebrand_, 2, 1);

    descriptionLabel_ = new QLabel("D&escription", this);
    description_ = new QLineEdit(ToQString(fields_.description), this);
    description_->setObjectName("descriptionEdit");
    description_->setMaxLength(static_cast<int>(kMaxVariableDescriptionLength));
    descriptionLabel_->setBuddy(description_);
    descriptionRequired_ = MakeFieldMarker(true, this);
    // The fields stay in place when the description row is hidden.
    grid->setColumnMinimumWidth(0, descriptionLabel_->sizeHint().width());
    grid->addWidget(descriptionLabel_, 3, 0);
    grid->addWidget(description_, 3, 1);
    grid->addWidget(descriptionRequired_, 3, 2);

    valueLabel_ = new QLabel(this);
    valueLabel_->setObjectName("valueLabel");
    auto* editors = new QStackedWidget(this);
    singleLine_ = new QLineEdit(ToQString(fields_.singleLineValue), editors);
    singleLine_->setObjectName("singleLineEdit");
    singleLine_->setMaxLength(static_cast<int>(MaxValueLength(ValueEditor::SingleLine)));
    multiLine_ = new QPlainTextEdit(ToQString(fields_.multiLineValue), editors);
    multiLine_->setObjectName("multiLineEdit");
    multiLine_->setTabChangesFocus(true);
    multiLine_->setFixedHeight(6 * multiLine_->fontMetrics().lineSpacing() + 10);
    fileName_ = new QLineEdit(ToQString(fields_.fileName), editors);
    fileName_->setObjectName("fileNameEdit");
    fileName_->setMaxLength(static_cast<int>(MaxValueLength(ValueEditor::FileName)));
    browse_ = new QPushButton("&Browse", editors);
    browse_->setObjectName("browseButton");
    browse_->setAutoDefault(false);
    // Each editor sits at the top of its page; the pages share the multi-line editor's height.
    auto page = [editors](QWidget* first, QWidget* second = nullptr) {
        auto* widget = new QWidget(editors);
        auto* column = new QVBoxLayout(widget);
        column->setContentsMargins(0, 0, 0, 0);
        auto* row = new QHBoxLayout;
        row->addWidget(first, 1);
        if (second) {
            row->addWidget(second);
        }
        column->addLayout(row);
        column->addStretch(1);
        editors->addWidget(widget);
    };
    page(singleLine_);
    page(multiLine_);
    page(fileName_, browse_);
    valueRequired_ = MakeFieldMarker(true, this);
    valueRequired_->setObjectName("valueRequiredLabel");
    valueOptional_ = MakeFieldMarker(false, this);
    valueOptional_->setObjectName("valueOptionalLabel");
    auto* markers = new QVBoxLayout;
    markers->addWidget(valueRequired_);
    markers->addWidget(valueOptional_);
    markers->addStretch(1);
    grid->addWidget(valueLabel_, 4, 0, Qt::AlignTop | Qt::AlignLeft);
    grid->addWidget(editors, 4, 1);
    grid->addLayout(markers, 4, 2);
    editors->setObjectName("valueEditors");

    auto* buttons = new QDialogButtonBox(this);
    if (mode == VariableDialogMode::Add) {
        setWindowTitle("Add Variable");
        auto* add = buttons->addButton("&Add", QDialogButtonBox::AcceptRole);
        add->setObjectName("addButton");
        add->setDefault(true);
        auto* another = buttons->addButton("A&dd Another", QDialogButtonBox::ActionRole);
        another->setObjectName("addAnotherButton");
        auto* stop = buttons->addButton("&Stop", QDialogButtonBox::RejectRole);
        stop->setObjectName("stopButton");
        acceptButtons_ = {add, another};
        connect(add, &QPushButton::clicked, this, [this] { Accept(1); });
        connect(another, &QPushButton::clicked, this, [this] { Accept(kAddAnotherResult); });
        connect(stop, &QPushButton::clicked, this, &QDialog::reject);
    } else {
        setWindowTitle("Edit Variable");
        auto* ok = buttons->addButton(QDialogButtonBox::Ok);
        ok->setObjectName("okButton");
        ok->setDefault(true);
        auto* cancel = buttons->addButton(QDialogButtonBox::Cancel);
        cancel->setObjectName("cancelButton");
        acceptButtons_ = {ok};
        connect(ok, &QPushButton::clicked, this, [this] { Accept(QDialog::Accepted); });
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    resize(520, sizeHint().height());

    connect(name_, &QLineEdit::textChanged, this, &VariableDialog::Evaluate);
    connect(description_, &QLineEdit::textChanged, this, &VariableDialog::Evaluate);
    connect(singleLine_, &QLineEdit::textChanged, this, &VariableDialog::Evaluate);
    connect(multiLine_, &QPlainTextEdit::textChanged, this, &VariableDialog::Evaluate);
    connect(fileName_, &QLineEdit::textChanged, this, &VariableDialog::Evaluate);
    connect(kind_, &QComboBox::currentIndexChanged, this, &VariableDialog::Evaluate);
    connect(canRebrand_, &QCheckBox::toggled, this, &VariableDialog::Evaluate);
    connect(browse_, &QPushButton::clicked, this, &VariableDialog::Browse);
    const QWidget* order[] = {name_,       kind_,      canRebrand_, description_,
                              singleLine_, multiLine_, fileName_,   browse_};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        setTabOrder(const_cast<QWidget*>(order[i]), const_cast<QWidget*>(order[i + 1]));
    }
    Evaluate();
}

void VariableDialog::ReadFields() {
    fields_.name = ToUtf8(name_->text());
    fields_.kind = kind_->currentIndex();
    fields_.canRebrand = canRebrand_->isChecked();
    fields_.description = ToUtf8(description_->text());
    fields_.singleLineValue = ToUtf8(singleLine_->text());
    fields_.multiLineValue = ToUtf8(multiLine_->toPlainText());
    fields_.fileName = ToUtf8(fileName_->text());
}

void VariableDialog::Evaluate() {
    // The multi-line editor has no length limit of its own.
    const int maxMulti = static_cast<int>(MaxValueLength(ValueEditor::MultiLine));
    if (multiLine_->toPlainText().size() > maxMulti) {
        multiLine_->setPlainText(multiLine_->toPlainText().left(maxMulti));
        multiLine_->moveCursor(QTextCursor::End);
    }
    ReadFields();
    const VariableDialogState state = EvaluateVariableDialog(fields_);
    canRebrand_->setVisible(state.canRebrandShown);
    canRebrand_->setEnabled(state.canRebrandShown);
    descriptionLabel_->setVisible(state.descriptionShown);
    description_->setVisible(state.descriptionShown);
    descriptionRequired_->setVisible(state.descriptionShown);
    auto* editors = findChild<QStackedWidget*>("valueEditors");
    editors->setCurrentIndex(static_cast<int>(state.editor));
    valueLabel_->setText(ToQString(state.valueLabel));
    valueLabel_->setBuddy(
        state.editor == ValueEditor::SingleLine  ? static_cast<QWidget*>(singleLine_)
        : state.editor == ValueEditor::MultiLine ? static_cast<QWidget*>(multiLine_)
                                                 : fileName_);
    valueRequired_->setVisible(state.valueRequired);
    valueOptional_->setVisible(!state.valueRequired);
    browse_->setVisible(state.browseShown);
    for (QPushButton* button : acceptButtons_) {
        button->setEnabled(state.acceptEnabled);
    }
}

void VariableDialog::Browse() {
    const QString chosen = chooseFile(ToQString(kSelectIncludeFileTitle), fileName_->text(),
                                      QtFileFilter(IncludeFileFilter(kind_->currentIndex())));
    if (!chosen.isEmpty()) {
        fileName_->setText(chosen);
    }
}

void VariableDialog::Accept(int result) {
    ReadFields();
    const VariableDialogCheck check = CheckVariableDialog(fields_, mode_, existing_, prompter_);
    if (!check.accepted) {
        if (check.focus == VariableField::Name) {
            name_->setFocus();
            name_->selectAll();
        } else if (check.focus == VariableField::FileName) {
            fileName_->setFocus();
        }
        return;
    }
    done(result);
}

CAddVariableDlg::CAddVariableDlg(const Variable& entry, const VariableList& existing,
                                 Prompter& prompter, QWidget* parent)
    : VariableDialog(VariableDialogMode::Add, entry, existing, prompter, parent) {
    setObjectName("addVariableDialog");
}

CEditVariableDlg::CEditVariableDlg(const Variable& entry, const VariableList& existing,
                                   Prompter& prompter, QWidget* parent)
    : VariableDialog(VariableDialogMode::Edit, entry, existing, prompter, parent) {
    setObjectName("editVariableDialog");
}

}  // namespace nbx::app
