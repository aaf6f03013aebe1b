#include "app/dialogs/SystemPagesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/dialogs/ColourButton.h"
#include "project/DisplayNames.h"
#include "qtcommon/QtText.h"
#include "qtcommon/WholeLabel.h"

namespace nbx::app {

namespace {

QComboBox* KindList(std::int32_t kind, const char* name, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    // The list's rows are the kinds' codes.
    for (std::int32_t k = kSystemGeneratedPage; k <= kSystemPageOwn; ++k) {
        list->addItem(ToQString(SystemPageKindDisplayName(k)));
    }
    list->setCurrentIndex(kind >= kSystemGeneratedPage && kind <= kSystemPageOwn ? kind : -1);
    return list;
}

QComboBox* FileList(const std::vector<std::string>& files, const std::string& selected,
                    const char* name, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    for (const std::string& file : files) {
        list->addItem(ToQString(file));
    }
    list->setCurrentIndex(list->findText(ToQString(selected)));
    return list;
}

QLabel* Buddy(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

CPPSPAbout::CPPSPAbout(const SystemPagesValues& values, const std::vector<std::string>& files,
                       QWidget* parent)
    : QWidget(parent) {
    kind_ = KindList(values.aboutPage, "aboutKind", this);
    nickname_ = new QLineEdit(ToQString(values.nickname), this);
    nickname_->setObjectName(QStringLiteral("nickname"));
    nickname_->setMaxLength(static_cast<int>(kNicknameMaxLength));
    file_ = FileList(files, values.aboutFile, "aboutFile", this);
    nicknameLabel_ = Buddy(QStringLiteral("&ClickBank Affiliate NickName (for the generated page)"),
                           nickname_, this);
    fileLabel_ = Buddy(QStringLiteral("About &File"), file_, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Buddy(QStringLiteral("&About page contents"), kind_, this));
    layout->addWidget(kind_);
    layout->addSpacing(8);
    layout->addWidget(nicknameLabel_);
    layout->addWidget(nickname_);
    layout->addSpacing(8);
    layout->addWidget(fileLabel_);
    layout->addWidget(file_);
    layout->addStretch();
    connect(kind_, &QComboBox::currentIndexChanged, this, &CPPSPAbout::UpdateEnabling);
    UpdateEnabling();
}

void CPPSPAbout::UpdateEnabling() {
    const int kind = kind_->currentIndex();
    nickname_->setEnabled(NicknameEnabled(kind));
    nicknameLabel_->setEnabled(NicknameEnabled(kind));
    file_->setEnabled(PageFileEnabled(kind));
    fileLabel_->setEnabled(PageFileEnabled(kind));
}

void CPPSPAbout::Store(SystemPagesValues& values) const {
    values.aboutPage = kind_->currentIndex();
    values.aboutFile = ToUtf8(file_->currentText());
    values.nickname = ToUtf8(nickname_->text());
}

CPPSPSearch::CPPSPSearch(const SystemPagesValues& values, QWidget* parent) : QWidget(parent) {
    descriptions_ = new QCheckBox(QStringLiteral("Show &Descriptions"), this);
    descriptions_->setObjectName(QStringLiteral("searchDescriptions"));
    descriptions_->setChecked(values.searchDescriptions);
    showMatch_ = new QCheckBox(QStringLiteral("&Show % Match"), this);
    showMatch_->setObjectName(QStringLiteral("searchShowMatch"));
    showMatch_->setChecked(values.searchShowMatch);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(descriptions_);
    layout->addWidget(showMatch_);
    layout->addStretch();
}

void CPPSPSearch::Store(SystemPagesValues& values) const {
    values.searchDescriptions = descriptions_->isChecked();
    values.searchShowMatch = showMatch_->isChecked();
}

CPPSPTOC::CPPSPTOC(const SystemPagesValues& values, const std::vector<std::string>& files,
                   QWidget* parent)
    : QWidget(parent) {
    kind_ = KindList(values.contentsPage, "contentsKind", this);
    file_ = FileList(files, values.contentsFile, "contentsFile", this);
    fileLabel_ = Buddy(QStringLiteral("Table Of Contents &File"), file_, this);
    descriptions_ = new QCheckBox(QStringLiteral("Show &Descriptions"), this);
    descriptions_->setObjectName(QStringLiteral("contentsDescriptions"));
    descriptions_->setChecked(values.contentsDescriptions);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Buddy(QStringLiteral("&Table Of Contents page contents"), kind_, this));
    layout->addWidget(kind_);
    layout->addSpacing(8);
    layout->addWidget(fileLabel_);
    layout->addWidget(file_);
    layout->addSpacing(8);
    layout->addWidget(descriptions_);
    layout->addStretch();
    connect(kind_, &QComboBox::currentIndexChanged, this, &CPPSPTOC::UpdateEnabling);
    UpdateEnabling();
}

void CPPSPTOC::UpdateEnabling() {
    const int kind = kind_->currentIndex();
    file_->setEnabled(PageFileEnabled(kind));
    fileLabel_->setEnabled(PageFileEnabled(kind));
    descriptions_->setEnabled(ContentsDescriptionsEnabled(kind));
}

void CPPSPTOC::Store(SystemPagesValues& values) const {
    values.contentsPage = kind_->currentIndex();
    values.contentsFile = ToUtf8(file_->currentText());
    values.contentsDescriptions = descriptions_->isChecked();
}

CPPSPColors::CPPSPColors(const SystemPagesValues& values, QWidget* parent) : QWidget(parent) {
    struct Entry {
        const char* text;
        ColourIndex index;
        const char* name;
    };
    // The page's order; the stored order differs.
    const Entry entries[] = {
        {"Background", kColourBackground, "colourBackground"},
        {"Text Background", kColourTextBackground, "colourTextBackground"},
        {"Text Color", kColourText, "colourText"},
        {"Link Color", kColourLink, "colourLink"},
        {"Visited Link Color", kColourVisitedLink, "colourVisitedLink"},
        {"Hover Link", kColourHoverLink, "colourHoverLink"},
    };
    auto* group = new QGroupBox(QStringLiteral("Colors of System Generated Pages"), this);
    auto* form = new QFormLayout(group);
    for (const Entry& entry : entries) {
        auto* button = new ColourButton(values.colors[entry.index], group);
        button->setObjectName(QLatin1String(entry.name));
        buttons_[entry.index] = button;
        form->addRow(MakeWholeLabel(QString::fromLatin1(entry.text)), button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
}

void CPPSPColors::Store(SystemPagesValues& values) const {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        values.colors[i] = buttons_[i]->colour();
    }
}

SystemPagesDialog::SystemPagesDialog(const SystemPagesValues& values,
                                     const std::vector<std::string>& files, SystemPagesTab firstTab,
                                     Prompter& prompter, QWidget* parent)
    : SettingsDialogBase(QStringLiteral("Edit System Pages"), prompter, parent), start_(values) {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("pages"));
    about_ = new CPPSPAbout(values, files, tabs_);
    search_ = new CPPSPSearch(values, tabs_);
    contents_ = new CPPSPTOC(values, files, tabs_);
    colors_ = new CPPSPColors(values, tabs_);
    tabs_->addTab(about_, QStringLiteral("About"));
    tabs_->addTab(search_, QStringLiteral("Search Results"));
    tabs_->addTab(contents_, QStringLiteral("Table Of Contents"));
    tabs_->addTab(colors_, QStringLiteral("Colors"));
    tabs_->setCurrentIndex(static_cast<int>(firstTab));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons());
    setMinimumSize(440, 340);
}

SystemPagesValues SystemPagesDialog::values() const {
    SystemPagesValues values = start_;
    about_->Store(values);
    search_->Store(values);
    contents_->Store(values);
    colors_->Store(values);
    return values;
}

}  // namespace nbx::app
