#pragma once
// The wizard's first window: the project's name, its working folder and the kind of
// software its pages will be written with. OK checks them, runs the four-page wizard and
// makes the project; the program ends when this window closes.

#include <QDialog>
#include <functional>

#include "qtcommon/MessageBoxPrompter.h"
#include "wizard/core/WizardAnswers.h"

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace nbx::wizard {

class CQuickProjectDlg : public QDialog {
    Q_OBJECT

public:
    explicit CQuickProjectDlg(QWidget* parent = nullptr);

    // Runs the wizard over the answers; true on Finish. Tests replace it to answer the
    // wizard without showing it.
    using WizardRunner = std::function<bool(WizardAnswers& answers)>;
    void setWizardRunner(WizardRunner runner) { runWizard_ = std::move(runner); }

    // Messages go to prompter instead of message boxes (for tests); it must outlive the
    // dialog.
    void setPrompter(Prompter& prompter) { prompter_ = &prompter; }

private:
    void updateOk();
    void browse();
    void typeDoubleClicked(QTreeWidgetItem* item);
    void accept() override;
    bool runWizard(WizardAnswers& answers);

    QLineEdit* name_ = nullptr;
    QLineEdit* folder_ = nullptr;
    QTreeWidget* types_ = nullptr;
    QPushButton* ok_ = nullptr;
    MessageBoxPrompter boxes_;
    Prompter* prompter_ = &boxes_;
    WizardRunner runWizard_;
};

}  // namespace nbx::wizard
