#include "wizard/ProjectWizard.h"

#include <QAbstractButton>

#include "qtcommon/QtText.h"
#include "wizard/WizardPages.h"
#include "wizard/core/QuickProject.h"
#include "wizard/core/WizardSettings.h"

namespace nbx::wizard {

ProjectWizard::ProjectWizard(const WizardAnswers& start, QWidget* parent, Prompter* prompter)
    : QWizard(parent), boxes_(QString::fromLatin1(kDialogTitle)) {
    setObjectName(QStringLiteral("projectWizard"));
    setWindowTitle(QString::fromLatin1(kWizardTitle));
    setWizardStyle(QWizard::ClassicStyle);
    // Pages keep what was typed when the author goes back and forth.
    setOptions(QWizard::NoBackButtonOnStartPage | QWizard::IndependentPages);
    boxes_.SetParent(this);
    prompter_ = prompter ? prompter : &boxes_;
    info_ = new BookInfoPage(start, *prompter_);
    splash_ = new SplashPage(start);
    interface_ = new InterfacePage(start);
    nextStage_ = new NextStagePage(start);
    for (QWizardPage* page :
         std::initializer_list<QWizardPage*>{info_, splash_, interface_, nextStage_}) {
        addPage(page);
    }
    button(QWizard::BackButton)->setObjectName(QStringLiteral("backButton"));
    button(QWizard::NextButton)->setObjectName(QStringLiteral("nextButton"));
    button(QWizard::FinishButton)->setObjectName(QStringLiteral("finishButton"));
    button(QWizard::CancelButton)->setObjectName(QStringLiteral("cancelButton"));
    connect(this, &QWizard::currentIdChanged, this, &ProjectWizard::pageChanged);
    resize(520, 400);
}

void ProjectWizard::pageChanged(int id) {
    // The splash choice is remembered whenever its page is left, forwards or back.
    if (page(shownPage_) == splash_) {
        SaveSplashChoice(splash_->choice(), *prompter_);
    }
    shownPage_ = id;
    const QList<int> ids = pageIds();
    const int index = static_cast<int>(ids.indexOf(id));
    if (index < 0) {
        return;
    }
    setWindowTitle(
        ToQString(WizardCaption(index, static_cast<int>(ids.size()),
                                WizardPageTitles().at(static_cast<std::size_t>(index)))));
}

WizardAnswers ProjectWizard::answers() const {
    WizardAnswers a;
    info_->Store(a);
    splash_->Store(a);
    interface_->Store(a);
    nextStage_->Store(a);
    return a;
}

}  // namespace nbx::wizard
