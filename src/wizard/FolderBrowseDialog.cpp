#include "wizard/FolderBrowseDialog.h"

#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "project/FolderChooserCheck.h"
#include "qtcommon/QtText.h"

namespace nbx::wizard {

FolderBrowseDialog::FolderBrowseDialog(const QString& start, QWidget* parent)
    : QDialog(parent), prompter_(QStringLiteral("Select Folder")) {
    setWindowTitle(QStringLiteral("Select Folder"));
    prompter_.SetParent(this);

    auto* prompt = new QLabel(QStringLiteral("Please select your working folder."));
    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    model_->setRootPath(QStringLiteral("/"));
    tree_ = new QTreeView;
    tree_->setObjectName(QStringLiteral("folderTree"));
    tree_->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column) {
        tree_->hideColumn(column);
    }
    tree_->header()->hide();
    auto* pathLabel = new QLabel(QStringLiteral("F&older:"));
    path_ = new QLineEdit(start);
    path_->setObjectName(QStringLiteral("folderPath"));
    pathLabel->setBuddy(path_);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons_->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(tree_, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(pathLabel);
    row->addWidget(path_, 1);
    layout->addLayout(row);
    layout->addWidget(buttons_);
    resize(420, 440);

    const QModelIndex startIndex = model_->index(start);
    if (startIndex.isValid()) {
        tree_->setCurrentIndex(startIndex);
        tree_->scrollTo(startIndex);
    }
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FolderBrowseDialog::selectionChanged);
    connect(path_, &QLineEdit::textChanged, this, &FolderBrowseDialog::typedChanged);
    connect(buttons_, &QDialogButtonBox::accepted, this, &FolderBrowseDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    typedChanged();
}

QString FolderBrowseDialog::folder() const {
    return path_->text();
}

void FolderBrowseDialog::selectionChanged() {
    const QModelIndex index = tree_->currentIndex();
    if (index.isValid()) {
        path_->setText(model_->filePath(index));
    }
}

void FolderBrowseDialog::typedChanged() {
    // Only a path from the root names a folder the project can go in.
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(path_->text().startsWith(QLatin1Char('/')));
}

void FolderBrowseDialog::accept() {
    if (CheckChosenFolder(U(path_->text()), prompter_) == FolderCheckResult::Accept) {
        QDialog::accept();
    } else {
        path_->setFocus();
    }
}

}  // namespace nbx::wizard
