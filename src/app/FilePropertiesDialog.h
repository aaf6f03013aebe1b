#pragma once
// "Edit File Properties": the texts and flags of one file of the list. For a file that is not
// HTML only the file name and "E&xclude from E-Book" show, and the dialog is shortened.

#include <QDialog>

#include "project/SourceFile.h"

class QCheckBox;
class QLineEdit;

namespace nbx {
class Prompter;
}

namespace nbx::app {

class FilePropertiesDialog final : public QDialog {
    Q_OBJECT
public:
    FilePropertiesDialog(const SourceFile& entry, Prompter& prompter, QWidget* parent = nullptr);

    // The edited values (path and key unchanged); valid after the dialog was accepted.
    const SourceFile& Edited() const { return edited_; }

private:
    void TryAccept();

    Prompter& prompter_;
    SourceFile edited_;
    QLineEdit* title_ = nullptr;
    QLineEdit* description_ = nullptr;
    QLineEdit* keywords_ = nullptr;
    QCheckBox* searchable_ = nullptr;
    QCheckBox* contents_ = nullptr;
    QCheckBox* preprocess_ = nullptr;
    QCheckBox* exclude_ = nullptr;
};

}  // namespace nbx::app
