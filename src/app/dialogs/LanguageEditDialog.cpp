#include "app/dialogs/LanguageEditDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/dialogs/LanguagePartsDialog.h"
#include "app/dialogs/LanguageTextDialog.h"
#include "qtcommon/QtText.h"
#include "viewerfiles/LanguageValueEdit.h"

namespace nbx::app {

namespace {
enum Column { kId, kFlag, kNumber, kPurpose, kValue };
}  // namespace

LanguageEditDialog::LanguageEditDialog(const std::string& languageName, Prompter& prompter,
                                       QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
    setWindowTitle(ToQString(LanguageEditorModel::Title(languageName)));
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("languageData"));
    list_->setColumnCount(5);
    list_->setHeaderLabels({QStringLiteral("id"), QStringLiteral("cFlag"), QStringLiteral("#"),
                            QStringLiteral("Purpose"), QStringLiteral("Value")});
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSortingEnabled(false);
    list_->setUniformRowHeights(true);
    list_->setColumnHidden(kId, true);
    list_->setColumnHidden(kFlag, true);
    list_->setMinimumSize(640, 360);
    const int width =
        640 - 2 * list_->frameWidth() - style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    list_->setColumnWidth(kNumber, 40);
    list_->setColumnWidth(kPurpose, (width - 40) / 2);
    auto* label = new QLabel(QStringLiteral("&Language Data"), this);
    label->setBuddy(list_);

    edit_ = new QPushButton(QStringLiteral("&Edit..."), this);
    edit_->setObjectName(QStringLiteral("edit"));
    edit_->setEnabled(false);
    auto* save = new QPushButton(QStringLiteral("&Save"), this);
    save->setObjectName(QStringLiteral("save"));
    save->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(edit_, &QPushButton::clicked, this,
            [this] { EditRow(list_->indexOfTopLevelItem(list_->currentItem())); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { EditRow(list_->indexOfTopLevelItem(item)); });
    connect(list_, &QTreeWidget::itemSelectionChanged, this,
            [this] { edit_->setEnabled(!list_->selectedItems().isEmpty()); });
    connect(save, &QPushButton::clicked, this, &LanguageEditDialog::Save);
    connect(cancel, &QPushButton::clicked, this, &LanguageEditDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(edit_);
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(list_);
    layout->addLayout(buttons);
}

bool LanguageEditDialog::Load(const std::string& languagePath, const std::string& translationPath) {
    if (!model_.Load(languagePath, translationPath, prompter_)) {
        return false;
    }
    list_->clear();
    for (const LanguageRow& row : model_.rows()) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(kId, QString::number(row.key));
        item->setText(kFlag, QString(QLatin1Char(row.flag)));
        item->setText(kNumber, QString::number(row.number));
        item->setText(kPurpose, ToQString(row.purpose));
        item->setText(kValue, ToQString(row.value));
    }
    return true;
}

void LanguageEditDialog::ShowRow(int index) {
    list_->topLevelItem(index)->setText(
        kValue, ToQString(model_.rows()[static_cast<std::size_t>(index)].value));
}

void LanguageEditDialog::EditRow(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= model_.rows().size()) {
        return;
    }
    const LanguageRow& row = model_.rows()[static_cast<std::size_t>(index)];
    switch (EditKindOfFlag(row.flag)) {
        case LanguageEditKind::Fixed:
            prompter_.Show(kFixedItemMessage, MessageIcon::Information);
            return;
        case LanguageEditKind::TwoPart: {
            LanguagePartsDialog dialog(row.flag, row.purpose, row.value, prompter_, this);
            if (dialog.exec() == QDialog::Accepted) {
                model_.SetValue(static_cast<std::size_t>(index), dialog.value());
                ShowRow(index);
            }
            return;
        }
        case LanguageEditKind::LongText:
        case LanguageEditKind::ShortText: {
            LanguageTextDialog dialog(row.flag, row.purpose, row.value, this);
            if (dialog.exec() == QDialog::Accepted) {
                model_.SetValue(static_cast<std::size_t>(index), dialog.value());
                ShowRow(index);
            }
            return;
        }
    }
}

void LanguageEditDialog::Save() {
    if (model_.Save(prompter_)) {
        QDialog::accept();
    }
}

void LanguageEditDialog::reject() {
    if (model_.ConfirmCancel(prompter_)) {
        QDialog::reject();
    }
}

}  // namespace nbx::app
