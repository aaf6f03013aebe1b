#include "app/dialogs/UserInterfaceDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/LanguageEditDialog.h"
#include "app/dialogs/LanguageNameDialog.h"
#include "project/DisplayNames.h"
#include "qtcommon/QtText.h"
#include "viewerfiles/LanguageFiles.h"

namespace nbx::app {

UserInterfaceDialog::UserInterfaceDialog(const UserInterfaceValues& values,
                                         const LanguageList& languages, Prompter& prompter,
                                         QWidget* parent)
    : SettingsDialogBase(QStringLiteral("Edit User Interface"), prompter, parent) {
    switches_ = new QListWidget(this);
    switches_->setObjectName(QStringLiteral("switches"));
    const auto& items = InterfaceSwitches();
    for (std::size_t i = 0; i < items.size(); ++i) {
        auto* item = new QListWidgetItem(QString::fromLatin1(items[i].text), switches_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        const bool on = i < values.switches.size() && values.switches[i];
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    switches_->setMinimumSize(420, 300);
    auto* switchesLabel = new QLabel(QStringLiteral("&Windows/User Interface Features"), this);
    switchesLabel->setBuddy(switches_);

    position_ = new QComboBox(this);
    position_->setObjectName(QStringLiteral("toolbarPosition"));
    for (std::int32_t position = 0; position < kToolbarPositionCount; ++position) {
        position_->addItem(ToQString(ToolbarPositionDisplayName(position)));
    }
    position_->setCurrentIndex(values.toolbarPosition);
    auto* positionLabel = new QLabel(QStringLiteral("&Toolbar Position"), this);
    positionLabel->setBuddy(position_);

    language_ = new QComboBox(this);
    language_->setObjectName(QStringLiteral("language"));
    ShowLanguageList(languages);
    auto* languageLabel = new QLabel(QStringLiteral("&Language"), this);
    languageLabel->setBuddy(language_);
    auto* edit = new QPushButton(QStringLiteral("&Edit..."), this);
    edit->setObjectName(QStringLiteral("editLanguage"));
    connect(edit, &QPushButton::clicked, this, [this] { EditLanguage(); });

    auto* grid = new QGridLayout;
    grid->addWidget(positionLabel, 0, 0);
    grid->addWidget(position_, 0, 1);
    grid->addWidget(languageLabel, 1, 0);
    grid->addWidget(language_, 1, 1);
    grid->addWidget(edit, 1, 2);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(switchesLabel);
    layout->addWidget(switches_);
    layout->addLayout(grid);
    layout->addWidget(buttons());
}

UserInterfaceValues UserInterfaceDialog::values() const {
    UserInterfaceValues values;
    for (int i = 0; i < switches_->count(); ++i) {
        values.switches.push_back(switches_->item(i)->checkState() == Qt::Checked);
    }
    values.toolbarPosition = position_->currentIndex();
    values.language = ToUtf8(language_->currentText());
    return values;
}

void UserInterfaceDialog::EditLanguage() {
    RunLanguageEditFlow(ToUtf8(language_->currentText()), *this, prompter());
}

std::optional<std::string> UserInterfaceDialog::AskLanguageName(const std::string& startName) {
    LanguageNameDialog dialog(startName, prompter(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.name();
}

void UserInterfaceDialog::ShowLanguageList(const LanguageList& list) {
    language_->clear();
    for (const std::string& name : list.names) {
        language_->addItem(ToQString(name));
    }
    language_->setCurrentIndex(list.selected);
}

void UserInterfaceDialog::EditLanguage(const std::string& name, const std::string& path) {
    LanguageEditDialog editor(name, prompter(), this);
    if (editor.Load(path, TranslationInfoPath())) {
        editor.exec();
    }
}

}  // namespace nbx::app
