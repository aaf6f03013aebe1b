#pragma once
// The folder chooser of the first dialog: a tree of folders and a field in which a path may
// be typed. OK checks the typed path (form, then an offer to create a missing folder) and
// stays open on a refusal.

#include <QDialog>

#include "qtcommon/MessageBoxPrompter.h"

class QDialogButtonBox;
class QFileSystemModel;
class QLineEdit;
class QTreeView;

namespace nbx::wizard {

class FolderBrowseDialog : public QDialog {
    Q_OBJECT

public:
    // start: the folder shown first (one trailing separator already removed).
    FolderBrowseDialog(const QString& start, QWidget* parent = nullptr);

    // The accepted path.
    QString folder() const;

private:
    void selectionChanged();
    void typedChanged();
    void accept() override;

    QFileSystemModel* model_ = nullptr;
    QTreeView* tree_ = nullptr;
    QLineEdit* path_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    MessageBoxPrompter prompter_;
};

}  // namespace nbx::wizard
