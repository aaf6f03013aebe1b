#pragma once
// "Edit Output": the output e-book and the Rebrander. Every Rebrander field is enabled only
// while "B&uild Rebrander" is checked.

#include "app/dialogs/SettingsDialogBase.h"
#include "appmodel/EBookInfoRules.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace nbx::app {

class OutputDialog final : public SettingsDialogBase {
    Q_OBJECT

public:
    OutputDialog(const OutputValues& values, Prompter& prompter, QWidget* parent = nullptr);
    OutputValues values() const;

protected:
    bool Validate() override;

private:
    void UpdateEnabling();
    // The save-file dialog of either path; the other path's folder is the start when the
    // field is empty.
    void Browse(QLineEdit* field, QLineEdit* other, const QString& title);

    QLineEdit* ebook_;
    QCheckBox* buildRebrander_;
    QLineEdit* rebrander_;
    QLineEdit* title_;
    QPlainTextEdit* start_;
    QPlainTextEdit* end_;
    QList<QWidget*> rebranderWidgets_;
};

}  // namespace nbx::app
