#pragma once
// CAddVariableDlg and CEditVariableDlg: one layout for adding and editing a Nimbrel
// Variable. The core decides what shows and when the accepting buttons are enabled
// (EvaluateVariableDialog) and checks the fields on accepting (CheckVariableDialog).

#include <QDialog>

#include "variables/VariableDialogModel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace nbx {
class Prompter;
}

namespace nbx::app {

class VariableDialog : public QDialog {
    Q_OBJECT
public:
    // Accepting with "A&dd Another" ends the dialog with this result.
    static constexpr int kAddAnotherResult = 4;

    const VariableDialogFields& Fields() const { return fields_; }

    // How "&Browse" asks for the include file: title, start path, filter; empty when
    // cancelled. Replaced by tests.
    std::function<QString(const QString& title, const QString& start, const QString& filter)>
        chooseFile;

protected:
    VariableDialog(VariableDialogMode mode, const Variable& entry, const VariableList& existing,
                   Prompter& prompter, QWidget* parent);

    void Accept(int result);

private:
    void ReadFields();
    void Evaluate();
    void Browse();

    VariableDialogMode mode_;
    const VariableList& existing_;
    Prompter& prompter_;
    VariableDialogFields fields_;

    QLineEdit* name_ = nullptr;
    QComboBox* kind_ = nullptr;
    QCheckBox* canRebrand_ = nullptr;
    QLabel* descriptionLabel_ = nullptr;
    QLineEdit* description_ = nullptr;
    QLabel* descriptionRequired_ = nullptr;
    QLabel* valueLabel_ = nullptr;
    QLineEdit* singleLine_ = nullptr;
    QPlainTextEdit* multiLine_ = nullptr;
    QLineEdit* fileName_ = nullptr;
    QPushButton* browse_ = nullptr;
    QLabel* valueRequired_ = nullptr;
    QLabel* valueOptional_ = nullptr;

protected:
    QList<QPushButton*> acceptButtons_;
};

// "Add Variable": "&Add", "A&dd Another" and "&Stop".
class CAddVariableDlg final : public VariableDialog {
    Q_OBJECT
public:
    CAddVariableDlg(const Variable& entry, const VariableList& existing, Prompter& prompter,
                    QWidget* parent = nullptr);
};

// "Edit Variable": OK and Cancel.
class CEditVariableDlg final : public VariableDialog {
    Q_OBJECT
public:
    CEditVariableDlg(const Variable& entry, const VariableList& existing, Prompter& prompter,
                     QWidget* parent = nullptr);
};

}  // namespace nbx::app
