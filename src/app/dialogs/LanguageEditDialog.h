#pragma once
// CLanguageEditDlg, "Edit Language File - <name>": every editable text of a language file
// under its purpose, sorted and numbered; "&Edit..." and a double click change one value,
// "&Save" writes the file, Cancel asks before dropping changes. The rules are
// LanguageEditorModel's.

#include <QDialog>
#include <string>

#include "common/Prompter.h"
#include "viewerfiles/LanguageEditorModel.h"

class QPushButton;
class QTreeWidget;

namespace nbx::app {

class LanguageEditDialog final : public QDialog {
    Q_OBJECT

public:
    LanguageEditDialog(const std::string& languageName, Prompter& prompter,
                       QWidget* parent = nullptr);

    // Reads both files and fills the list; false after the model's message, and the dialog
    // should then not be shown.
    bool Load(const std::string& languagePath, const std::string& translationPath);
    // Edits the row at index with the dialog its flag takes.
    void EditRow(int index);
    const LanguageEditorModel& model() const { return model_; }

    void reject() override;

private:
    void Save();
    void ShowRow(int index);

    Prompter& prompter_;
    LanguageEditorModel model_;
    QTreeWidget* list_;
    QPushButton* edit_;
};

}  // namespace nbx::app
