#include "qtcommon/FolderChooserDialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "project/FolderChooserCheck.h"
#include "qtcommon/QtText.h"

namespace nbx {

namespace {

constexpr int kPlacePathRole = Qt::UserRole;      // the folder the place selects
constexpr int kPlaceRootRole = Qt::UserRole + 1;  // the folder the tree shows from

bool IsInside(const QString& folder, const QString& place) {
    return place == QDir::rootPath() || folder == place ||
           folder.startsWith(place + QLatin1Char('/'));
}

}  // namespace

FolderChooserDialog::FolderChooserDialog(const QString& title, const QString& prompt,
                                         const std::string& start, Prompter& prompter,
                                         QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
    setObjectName("folderChooserDialog");
    setWindowTitle(title);
    auto* promptLabel = new QLabel(prompt, this);
    promptLabel->setWordWrap(true);
    path_ = new QLineEdit(this);
    path_->setObjectName("folderPathEdit");
    promptLabel->setBuddy(path_);

    const QString first = QDir::cleanPath(start.empty() ? QDir::currentPath() : ToQString(start));
    QStyle* s = style();
    places_ = new QListWidget(this);
    places_->setObjectName("folderPlaces");
    auto addPlace = [&](const QIcon& icon, const QString& text, const QString& folder,
                        const QString& root) {
        auto* item = new QListWidgetItem(icon, text, places_);
        item->setData(kPlacePathRole, folder);
        item->setData(kPlaceRootRole, root);
        item->setToolTip(folder);
    };
    const QString home = QDir::homePath();
    addPlace(s->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("Home"), home, home);
    // The start folder, shown within home when it lies there, else within the whole system.
    if (QDir(first).exists() && first != home && first != QDir::rootPath()) {
        addPlace(s->standardIcon(QStyle::SP_DirOpenIcon), QDir(first).dirName(), first,
                 IsInside(first, home) ? home : QDir::rootPath());
    }
    addPlace(s->standardIcon(QStyle::SP_DriveHDIcon), QStringLiteral("File System"),
             QDir::rootPath(), QDir::rootPath());
    places_->setIconSize(QSize(16, 16));
    places_->setMaximumWidth(160);

    tree_ = new QTreeView(this);
    tree_->setObjectName("folderTree");
    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    model_->setReadOnly(false);
    model_->setRootPath(QDir::rootPath());
    tree_->setModel(model_);
    for (int c = 1; c < model_->columnCount(); ++c) {
        tree_->hideColumn(c);
    }
    tree_->header()->hide();
    tree_->setAnimated(false);

    auto* newFolder = new QPushButton(QStringLiteral("&New Folder"), this);
    newFolder->setObjectName("newFolderButton");
    newFolder->setAutoDefault(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setObjectName("okButton");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(promptLabel);
    layout->addWidget(path_);
    auto* middle = new QHBoxLayout;
    middle->addWidget(places_);
    middle->addWidget(tree_, 1);
    layout->addLayout(middle, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(newFolder);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    resize(560, 460);

    // The start folder's own place, else the one that holds it: home, or the whole system.
    int place = IsInside(first, home) ? 0 : places_->count() - 1;
    for (int row = 0; row < places_->count(); ++row) {
        if (places_->item(row)->data(kPlacePathRole).toString() == first) {
            place = row;
        }
    }
    places_->setCurrentRow(place);
    ShowPlace(place);
    path_->setText(first);
    if (selected_ != first) {
        SelectFolder(first);
    }
    ok_->setEnabled(!path_->text().isEmpty());

    connect(places_, &QListWidget::currentRowChanged, this, &FolderChooserDialog::ShowPlace);
    connect(model_, &QFileSystemModel::directoryLoaded, this,
            &FolderChooserDialog::KeepSelectionInView);
    connect(model_, &QFileSystemModel::layoutChanged, this,
            &FolderChooserDialog::KeepSelectionInView);
    connect(model_, &QFileSystemModel::rowsInserted, this,
            &FolderChooserDialog::KeepSelectionInView);
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                const QString folder = model_->filePath(current);
                if (folder != selected_) {
                    selected_.clear();  // the person chose: the view is theirs now
                }
                // Only folders of the file system can be chosen.
                path_->setText(folder.startsWith(QLatin1Char('/')) ? folder : QString());
            });
    connect(path_, &QLineEdit::textChanged, this,
            [this](const QString& text) { ok_->setEnabled(!text.isEmpty()); });
    connect(newFolder, &QPushButton::clicked, this, &FolderChooserDialog::AskNewFolder);
    connect(buttons, &QDialogButtonBox::accepted, this, &FolderChooserDialog::TryAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    path_->setFocus();
}

void FolderChooserDialog::ShowPlace(int row) {
    if (row < 0) {
        return;
    }
    const QListWidgetItem* item = places_->item(row);
    tree_->setRootIndex(model_->index(item->data(kPlaceRootRole).toString()));
    SelectFolder(item->data(kPlacePathRole).toString());
}

void FolderChooserDialog::SelectFolder(const QString& folder) {
    selected_ = folder;
    const QModelIndex index = model_->index(folder);
    if (!index.isValid()) {
        return;
    }
    tree_->setCurrentIndex(index);
    tree_->expand(index);
    tree_->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void FolderChooserDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    KeepSelectionInView();
}

void FolderChooserDialog::KeepSelectionInView() {
    // The tree fills as each folder is read and is sorted after; the rows that arrive above
    // the selection push it down. It is brought back into view until the person moves on.
    if (selected_.isEmpty() || scrollPending_) {
        return;
    }
    scrollPending_ = true;
    QTimer::singleShot(0, this, [this] {
        scrollPending_ = false;
        const QModelIndex index = model_->index(selected_);
        if (!selected_.isEmpty() && index.isValid() && tree_->currentIndex() == index) {
            tree_->scrollTo(index, QAbstractItemView::PositionAtCenter);
        }
    });
}

void FolderChooserDialog::AskNewFolder() {
    bool ok = false;
    const QString name = QInputDialog::getText(
        this, QStringLiteral("New Folder"), QStringLiteral("Name of the new folder:"),
        QLineEdit::Normal, QStringLiteral("New Folder"), &ok);
    if (ok && !name.isEmpty()) {
        MakeFolder(name);
    }
}

bool FolderChooserDialog::MakeFolder(const QString& name) {
    QString parent = model_->filePath(tree_->currentIndex());
    if (parent.isEmpty()) {
        parent = model_->filePath(tree_->rootIndex());
    }
    const QString folder = parent + (parent.endsWith(QLatin1Char('/')) ? "" : "/") + name;
    if (CreateChosenFolder(ToUtf8(folder), prompter_) != FolderCheckResult::Accept) {
        return false;
    }
    path_->setText(folder);
    SelectFolder(folder);
    return true;
}

void FolderChooserDialog::TryAccept() {
    const std::string typed = ToUtf8(path_->text());
    if (CheckChosenFolder(typed, prompter_) != FolderCheckResult::Accept) {
        path_->setFocus();
        return;
    }
    chosen_ = typed;
    accept();
}

}  // namespace nbx
