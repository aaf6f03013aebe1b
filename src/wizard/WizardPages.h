#pragma once
// The four pages of the project wizard. Each takes its part of the answers on creation and
// writes it back into answers on request.

#include <QWizardPage>

#include "wizard/core/WizardAnswers.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace nbx {
class Prompter;
}

namespace nbx::wizard {

class BookInfoPage : public QWizardPage {
    Q_OBJECT

public:
    BookInfoPage(const WizardAnswers& start, Prompter& prompter);
    void Store(WizardAnswers& answers) const;
    // Next: the first empty required field is named and focused; valid input is remembered.
    bool validatePage() override;

private:
    QLineEdit* title_ = nullptr;
    QLineEdit* publisher_ = nullptr;
    QLineEdit* copyright_ = nullptr;
    QLineEdit* author_ = nullptr;
    QLineEdit* email_ = nullptr;
    QLineEdit* url_ = nullptr;
    Prompter& prompter_;
};

class SplashPage : public QWizardPage {
    Q_OBJECT

public:
    explicit SplashPage(const WizardAnswers& start);
    void Store(WizardAnswers& answers) const;
    int choice() const;

private:
    QComboBox* choice_ = nullptr;
};

class InterfacePage : public QWizardPage {
    Q_OBJECT

public:
    explicit InterfacePage(const WizardAnswers& start);
    void Store(WizardAnswers& answers) const;

private:
    void toolbarToggled(bool on);

    QCheckBox* menu_ = nullptr;
    QCheckBox* popup_ = nullptr;
    QCheckBox* statusBar_ = nullptr;
    QCheckBox* toolbar_ = nullptr;
    QLabel* positionLabel_ = nullptr;
    QComboBox* position_ = nullptr;
};

class NextStagePage : public QWizardPage {
    Q_OBJECT

public:
    explicit NextStagePage(const WizardAnswers& start);
    void Store(WizardAnswers& answers) const;

private:
    QCheckBox* instructions_ = nullptr;
    QCheckBox* launch_ = nullptr;
};

}  // namespace nbx::wizard
