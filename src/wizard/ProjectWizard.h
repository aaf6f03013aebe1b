#pragma once
// "Create E-Book Project": the four pages that ask for the book's information, the splash
// screen, the reader window's options and what happens after Finish. The window's title
// follows the page ("Step 2 of 4 - Splash Screen"); the E-Book Info page's Next checks its
// fields and remembers them, and leaving the Splash Screen page remembers the choice.

#include <QWizard>

#include "qtcommon/MessageBoxPrompter.h"
#include "wizard/core/WizardAnswers.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace nbx::wizard {

class BookInfoPage;
class SplashPage;
class InterfacePage;
class NextStagePage;

class ProjectWizard : public QWizard {
    Q_OBJECT

public:
    // prompter: where messages go; null shows message boxes.
    ProjectWizard(const WizardAnswers& start, QWidget* parent = nullptr,
                  Prompter* prompter = nullptr);

    // The answers as the pages hold them.
    WizardAnswers answers() const;

private:
    void pageChanged(int id);

    BookInfoPage* info_ = nullptr;
    SplashPage* splash_ = nullptr;
    InterfacePage* interface_ = nullptr;
    NextStagePage* nextStage_ = nullptr;
    int shownPage_ = -1;
    MessageBoxPrompter boxes_;
    Prompter* prompter_ = nullptr;  // boxes_ or the one given
};

}  // namespace nbx::wizard
