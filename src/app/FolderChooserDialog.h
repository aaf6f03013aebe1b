#pragma once
// The folder chooser: a folder tree with a field above it that shows, and takes, the full
// path. OK runs the core's checks on the typed path (its form, and creating a missing
// folder after a question).

#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;
class QTreeView;
class QFileSystemModel;

namespace nbx {
class Prompter;
}

namespace nbx::app {

class FolderChooserDialog final : public QDialog {
    Q_OBJECT
public:
    // start: the folder shown first; empty means the current folder.
    FolderChooserDialog(const QString& title, const QString& prompt, const std::string& start,
                        Prompter& prompter, QWidget* parent = nullptr);

    std::string ChosenFolder() const { return chosen_; }

private:
    void TryAccept();

    Prompter& prompter_;
    QLineEdit* path_ = nullptr;
    QPushButton* ok_ = nullptr;
    QTreeView* tree_ = nullptr;
    QFileSystemModel* model_ = nullptr;
    std::string chosen_;
};

}  // namespace nbx::app
