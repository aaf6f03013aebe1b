#include "app/dialogs/AddInsDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "qtcommon/QtText.h"

namespace nbx::app {

namespace {
enum Column { kPath, kModule, kLoad, kName };
constexpr int kLoadWidth = 80;
}  // namespace

AddInsDialog::AddInsDialog(AddInsModel& model, Prompter& prompter, QWidget* parent)
    : SettingsDialogBase(QStringLiteral("Edit Add-Ins"), prompter, parent), model_(model) {
    onStart_ = new QLineEdit(ToQString(model.onStart), this);
    onStart_->setObjectName(QStringLiteral("onStart"));
    onStart_->setMaxLength(255);
    onExit_ = new QLineEdit(ToQString(model.onExit), this);
    onExit_->setObjectName(QStringLiteral("onExit"));
    onExit_->setMaxLength(255);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("extensions"));
    list_->setHeaderLabels({QStringLiteral("Path"), QStringLiteral("Module"),
                            QStringLiteral("Load"), QStringLiteral("Name")});
    list_->setRootIsDecorated(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setColumnHidden(kPath, true);
    list_->setColumnHidden(kModule, true);
    list_->setColumnWidth(kLoad, kLoadWidth);
    list_->header()->setStretchLastSection(true);
    list_->setMinimumSize(420, 160);

    add_ = new QPushButton(QStringLiteral("&Add"), this);
    add_->setObjectName(QStringLiteral("add"));
    remove_ = new QPushButton(QStringLiteral("&Remove"), this);
    remove_->setObjectName(QStringLiteral("remove"));
    info_ = new QPushButton(QStringLiteral("&Info..."), this);
    info_->setObjectName(QStringLiteral("info"));

    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    auto* grid = new QGridLayout;
    grid->addWidget(label(QStringLiteral("On &Start"), onStart_), 0, 0);
    grid->addWidget(MakeFieldMarker(false, this), 0, 1, Qt::AlignRight);
    grid->addWidget(onStart_, 1, 0, 1, 2);
    grid->addWidget(label(QStringLiteral("On &Exit"), onExit_), 2, 0);
    grid->addWidget(MakeFieldMarker(false, this), 2, 1, Qt::AlignRight);
    grid->addWidget(onExit_, 3, 0, 1, 2);
    grid->addWidget(label(QStringLiteral("E&xtensions"), list_), 4, 0);
    grid->addWidget(MakeFieldMarker(false, this), 4, 1, Qt::AlignRight);
    grid->addWidget(list_, 5, 0, 1, 2);
    auto* rowButtons = new QHBoxLayout;
    rowButtons->addWidget(add_);
    rowButtons->addWidget(remove_);
    rowButtons->addWidget(info_);
    rowButtons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(rowButtons);
    layout->addWidget(buttons());

    connect(list_, &QTreeWidget::itemSelectionChanged, this, &AddInsDialog::UpdateButtons);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (const auto row = Selected()) {
            model_.Toggle(*row);
            ShowRows();
        }
    });
    connect(add_, &QPushButton::clicked, this, [this] {
        if (const auto row = Selected()) {
            model_.Add(*row);
            ShowRows();
        }
    });
    connect(remove_, &QPushButton::clicked, this, [this] {
        if (const auto row = Selected()) {
            model_.Remove(*row);
            ShowRows();
        }
    });
    connect(info_, &QPushButton::clicked, this, [this] {
        if (const auto row = Selected()) {
            model_.Info(*row, this->prompter(), reinterpret_cast<void*>(winId()));
        }
    });
    ShowRows();
}

std::optional<std::size_t> AddInsDialog::Selected() const {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row < 0 || list_->selectedItems().isEmpty()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(row);
}

void AddInsDialog::ShowRows() {
    const int current = list_->indexOfTopLevelItem(list_->currentItem());
    QSignalBlocker block(list_);
    list_->clear();
    for (const AddInRow& row : model_.rows()) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(kPath, ToQString(row.path));
        item->setText(kModule, ToQString(row.module));
        item->setText(kLoad, ToQString(row.load));
        item->setText(kName, ToQString(row.name));
    }
    if (current >= 0 && current < list_->topLevelItemCount()) {
        list_->setCurrentItem(list_->topLevelItem(current));
    }
    UpdateButtons();
}

void AddInsDialog::UpdateButtons() {
    const AddInButtons state = model_.Buttons(Selected());
    add_->setEnabled(state.add);
    remove_->setEnabled(state.remove);
    info_->setEnabled(state.info);
}

void AddInsDialog::accept() {
    model_.onStart = ToUtf8(onStart_->text());
    model_.onExit = ToUtf8(onExit_->text());
    QDialog::accept();
}

}  // namespace nbx::app
