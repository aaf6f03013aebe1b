#include "wizard/WizardPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "common/Prompter.h"
#include "project/DisplayNames.h"
#include "qtcommon/FieldMarker.h"
#include "qtcommon/QtText.h"
#include "qtcommon/WholeLabel.h"
#include "wizard/core/ProjectFolders.h"
#include "wizard/core/WizardSettings.h"

namespace nbx::wizard {

namespace {

QLineEdit* Field(const std::string& text, const char* name) {
    auto* edit = new QLineEdit(ToQString(text));
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QCheckBox* Check(const char* text, int on, const char* name) {
    auto* box = new QCheckBox(QString::fromLatin1(text));
    box->setObjectName(QLatin1String(name));
    box->setChecked(on != 0);
    return box;
}

QLabel* Paragraph(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

void SetPageTitle(QWizardPage* page, int index) {
    page->setTitle(ToQString(WizardPageTitles().at(static_cast<std::size_t>(index))));
}

}  // namespace

BookInfoPage::BookInfoPage(const WizardAnswers& start, Prompter& prompter) : prompter_(prompter) {
    SetPageTitle(this, 0);
    title_ = Field(start.book.title, "titleEdit");
    publisher_ = Field(start.book.publisher, "publisherEdit");
    copyright_ = Field(start.book.copyright, "copyrightEdit");
    author_ = Field(start.book.author, "authorEdit");
    email_ = Field(start.book.authorEmail, "emailEdit");
    url_ = Field(start.book.authorUrl, "urlEdit");

    struct Row {
        const char* label;
        QLineEdit* edit;
        bool required;
    };
    const Row rows[] = {
        {"&Title", title_, true},
        {"&Publisher", publisher_, false},
        {"&Copyright", copyright_, true},
        {"&Author", author_, true},
        {"Author's &E-mail Address", email_, false},
        {"Author's &Web Site URL - please include http://", url_, false},
    };
    auto* grid = new QGridLayout(this);
    int line = 0;
    for (const Row& row : rows) {
        auto* label = new QLabel(QString::fromLatin1(row.label));
        label->setBuddy(row.edit);
        grid->addWidget(label, line, 0, 1, 2);
        grid->addWidget(row.edit, line + 1, 0);
        grid->addWidget(row.required ? MakeFieldMarker(true) : MakeFieldMarker(false), line + 1, 1);
        line += 2;
    }
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(line, 1);
}

void BookInfoPage::Store(WizardAnswers& a) const {
    a.book.title = ToUtf8(title_->text());
    a.book.publisher = ToUtf8(publisher_->text());
    a.book.copyright = ToUtf8(copyright_->text());
    a.book.author = ToUtf8(author_->text());
    a.book.authorEmail = ToUtf8(email_->text());
    a.book.authorUrl = ToUtf8(url_->text());
}

bool BookInfoPage::validatePage() {
    WizardAnswers answers;
    Store(answers);
    if (const auto failure = CheckBookInfo(answers)) {
        prompter_.Show(failure->message, MessageIcon::Warning);
        QLineEdit* const fields[] = {title_, publisher_, copyright_, author_, email_, url_};
        QLineEdit* field = fields[static_cast<int>(failure->field)];
        field->setFocus();
        return false;
    }
    SaveBookInfo(BookInfoSettings(answers), prompter_);
    return true;
}

SplashPage::SplashPage(const WizardAnswers& start) {
    SetPageTitle(this, 1);
    auto* text = Paragraph(QStringLiteral(
        "Nimbrel E-Book Compiler can optionally display a \"splash screen\" picture when your "
        "E-Book is started.  This picture is shown while the E-Book is loading."));
    auto* prompt = new QLabel(QStringLiteral("Please select from the following options:"));
    choice_ = new QComboBox;
    choice_->setObjectName(QStringLiteral("splashCombo"));
    for (const std::string& name : SplashChoiceNames()) {
        choice_->addItem(ToQString(name));
    }
    choice_->setCurrentIndex(start.splash);
    prompt->setBuddy(choice_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addSpacing(12);
    layout->addWidget(prompt);
    layout->addWidget(choice_);
    layout->addStretch(1);
}

void SplashPage::Store(WizardAnswers& a) const {
    a.splash = choice();
}

int SplashPage::choice() const {
    return choice_->currentIndex();
}

InterfacePage::InterfacePage(const WizardAnswers& start) {
    SetPageTitle(this, 2);
    menu_ = Check("&Menu", start.menu, "menuCheck");
    popup_ = Check("&Pop-up Menu when right click on E-Book page", start.popupMenu, "popupCheck");
    statusBar_ = Check("&Status Bar", start.statusBar, "statusBarCheck");
    toolbar_ = Check("&Toolbar", start.toolbar, "toolbarCheck");
    positionLabel_ = MakeWholeLabel(QStringLiteral("T&oolbar Position"));
    positionLabel_->setObjectName(QStringLiteral("toolbarPositionLabel"));
    position_ = new QComboBox;
    position_->setObjectName(QStringLiteral("toolbarPositionCombo"));
    for (int p = 0; p < kToolbarPositionCount; ++p) {
        position_->addItem(ToQString(ToolbarPositionDisplayName(p)));
    }
    position_->setCurrentIndex(start.toolbarPosition);
    position_->setMinimumContentsLength(8);
    positionLabel_->setBuddy(position_);

    auto* layout = new QVBoxLayout(this);
    for (QCheckBox* box : {menu_, popup_, statusBar_, toolbar_}) {
        layout->addWidget(box);
    }
    auto* row = new QHBoxLayout;
    row->addSpacing(24);
    row->addWidget(positionLabel_);
    row->addSpacing(8);
    row->addWidget(position_);
    row->addStretch(1);
    layout->addLayout(row);
    layout->addStretch(1);
    connect(toolbar_, &QCheckBox::toggled, this, &InterfacePage::toolbarToggled);
    toolbarToggled(toolbar_->isChecked());
}

void InterfacePage::toolbarToggled(bool on) {
    for (QWidget* w : {static_cast<QWidget*>(positionLabel_), static_cast<QWidget*>(position_)}) {
        w->setVisible(on);
        w->setEnabled(on);
    }
}

void InterfacePage::Store(WizardAnswers& a) const {
    a.menu = menu_->isChecked() ? 1 : 0;
    a.popupMenu = popup_->isChecked() ? 1 : 0;
    a.statusBar = statusBar_->isChecked() ? 1 : 0;
    a.toolbar = toolbar_->isChecked() ? 1 : 0;
    a.toolbarPosition = position_->currentIndex();
}

NextStagePage::NextStagePage(const WizardAnswers& start) {
    SetPageTitle(this, 3);
    instructions_ = Check("&YES - Please provide these additional instructions", start.instructions,
                          "instructionsCheck");
    launch_ = Check("&Launch Nimbrel E-Book Compiler with this project loaded.", start.launch,
                    "launchCheck");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Paragraph(ToQString(NextStageText())));
    layout->addSpacing(12);
    layout->addWidget(instructions_);
    layout->addWidget(launch_);
    layout->addStretch(1);
}

void NextStagePage::Store(WizardAnswers& a) const {
    a.instructions = instructions_->isChecked() ? 1 : 0;
    a.launch = launch_->isChecked() ? 1 : 0;
}

}  // namespace nbx::wizard
