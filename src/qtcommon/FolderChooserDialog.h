#pragma once
// The folder chooser of both programs (Scan Folder in the compiler, Browse in the wizard):
// the prompt, a field that shows and takes the full path, the places a person starts from
// (home, the start folder, the whole file system) beside a tree of folders that opens with
// the start folder selected and in view, and New Folder. OK runs the core's checks on the
// path in the field (its form, then the offer to create a missing folder); a refusal keeps
// the chooser open with the focus in the field.

#include <QDialog>
#include <string>

class QFileSystemModel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeView;

namespace nbx {

class Prompter;

class FolderChooserDialog final : public QDialog {
    Q_OBJECT
public:
    // start: the folder selected first (empty: the current folder). prompter: where the
    // checks' messages go, titled as the calling program's messages are.
    FolderChooserDialog(const QString& title, const QString& prompt, const std::string& start,
                        Prompter& prompter, QWidget* parent = nullptr);

    std::string ChosenFolder() const { return chosen_; }

    // Makes a folder of the given name inside the selected one and selects it; false (after
    // the chooser's message) when the name makes an invalid path or the folder cannot be made.
    bool MakeFolder(const QString& name);

protected:
    // The tree is scrolled again once it has its size on the screen.
    void showEvent(QShowEvent* event) override;

private:
    void TryAccept();
    void ShowPlace(int row);
    void SelectFolder(const QString& folder);
    void KeepSelectionInView();
    void AskNewFolder();

    Prompter& prompter_;
    QLineEdit* path_ = nullptr;
    QPushButton* ok_ = nullptr;
    QListWidget* places_ = nullptr;
    QTreeView* tree_ = nullptr;
    QFileSystemModel* model_ = nullptr;
    QString selected_;  // the folder to keep in view while the tree fills
    bool scrollPending_ = false;
    std::string chosen_;
};

}  // namespace nbx
