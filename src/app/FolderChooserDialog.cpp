#include "app/FolderChooserDialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "project/FolderChooserCheck.h"
#include "qtcommon/QtText.h"

namespace nbx::app {

FolderChooserDialog::FolderChooserDialog(const QString& title, const QString& prompt,
                                         const std::string& start, Prompter& prompter,
                                         QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
    setObjectName("folderChooserDialog");
    setWindowTitle(title);
    auto* promptLabel = new QLabel(prompt, this);
    path_ = new QLineEdit(this);
    path_->setObjectName("folderPathEdit");
    promptLabel->setBuddy(path_);
    tree_ = new QTreeView(this);
    tree_->setObjectName("folderTree");
    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    model_->setRootPath(QDir::rootPath());
    tree_->setModel(model_);
    for (int c = 1; c < model_->columnCount(); ++c) {
        tree_->hideColumn(c);
    }
    tree_->header()->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setObjectName("okButton");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(promptLabel);
    layout->addWidget(path_);
    layout->addWidget(tree_, 1);
    layout->addWidget(buttons);
    resize(420, 460);

    const QString first = start.empty() ? QDir::currentPath() : Q(start);
    path_->setText(first);
    const QModelIndex index = model_->index(first);
    if (index.isValid()) {
        tree_->setCurrentIndex(index);
        tree_->scrollTo(index);
    }
    ok_->setEnabled(!path_->text().isEmpty());

    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                const QString folder = model_->filePath(current);
                // Only folders of the file system can be chosen.
                path_->setText(folder.startsWith(QLatin1Char('/')) ? folder : QString());
            });
    connect(path_, &QLineEdit::textChanged, this,
            [this](const QString& text) { ok_->setEnabled(!text.isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &FolderChooserDialog::TryAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void FolderChooserDialog::TryAccept() {
    const std::string typed = U(path_->text());
    if (CheckChosenFolder(typed, prompter_) != FolderCheckResult::Accept) {
        path_->setFocus();
        return;
    }
    chosen_ = typed;
    accept();
}

}  // namespace nbx::app
