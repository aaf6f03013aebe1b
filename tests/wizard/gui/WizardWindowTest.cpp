// The wizard's windows on the offscreen platform: the first dialog's OK, the four pages with
// their titles, buttons and checks, a whole run from OK to the made project, and pictures of
// each window for people to look at.

#include <stdlib.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "guisupport/ClippedLabels.h"
#include "guisupport/FolderChooserView.h"
#include "platform/ExecutablePath.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"
#include "qtcommon/FolderChooserDialog.h"
#include "support/RecordingPrompter.h"
#include "support/TempDir.h"
#include "wizard/ProjectWizard.h"
#include "wizard/QuickProjectDialog.h"
#include "wizard/core/ProjectType.h"

namespace nbx::wizard {
namespace {

using ::testing::ElementsAre;

class WizardWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("NBX_CONFIG_DIR", config.path().c_str(), 1);
        platform::OverrideExecutablePath(std::string(NBX_PROGRAM_DIR) + "/nbxkwik");
        QDir().mkpath(QStringLiteral(NBX_SCREENSHOT_DIR));
    }
    void TearDown() override { platform::OverrideExecutablePath(""); }

    static void Remember(const char* key, const std::string& value) {
        platform::WriteProfileString("nbxconfig.ini", "NBXKWIK", key, value);
    }
    static std::string Setting(const char* key) {
        return platform::ReadProfileString("nbxconfig.ini", "NBXKWIK", key, "<missing>");
    }
    static void Save(QWidget& window, const char* name) {
        QCoreApplication::processEvents();
        const QPixmap picture = window.grab();
        ASSERT_FALSE(picture.isNull());
        EXPECT_TRUE(picture.save(QDir(QStringLiteral(NBX_SCREENSHOT_DIR)).filePath(name))) << name;
        EXPECT_EQ(test::ClippedLabels(window), std::vector<std::string>{}) << name;
    }
    template <typename T>
    static T* Child(QWidget& parent, const char* name) {
        T* child = parent.findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    test::TempDir config;
    test::TempDir work;
    test::RecordingPrompter prompter;
};

TEST_F(WizardWindowTest, OkFollowsTheNameTheFolderAndTheType) {
    Remember("PROJECTTYPE", "Microsoft Word 97");
    Remember("FOLDER", work.path());
    CQuickProjectDlg dialog;
    dialog.show();
    auto* name = Child<QLineEdit>(dialog, "nameEdit");
    auto* folder = Child<QLineEdit>(dialog, "folderEdit");
    auto* types = Child<QTreeWidget>(dialog, "typeList");
    auto* ok = Child<QPushButton>(dialog, "okButton");
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Nimbrel Quick Project"));
    EXPECT_EQ(folder->text().toStdString(), work.path());
    EXPECT_EQ(name->maxLength(), 32);
    EXPECT_EQ(folder->maxLength(), 255);
    ASSERT_EQ(types->topLevelItemCount(), 6);
    EXPECT_EQ(types->headerItem()->text(0), QStringLiteral("Content of E-Book created with"));
    EXPECT_EQ(types->indexOfTopLevelItem(types->currentItem()), 4);
    EXPECT_TRUE(types->currentItem()->isSelected());
    Save(dialog, "wizard-0-quick-project.png");

    EXPECT_FALSE(ok->isEnabled());
    name->setText(QStringLiteral("   "));
    EXPECT_FALSE(ok->isEnabled());  // a name of spaces leaves OK off
    name->setText(QStringLiteral("My Book"));
    EXPECT_TRUE(ok->isEnabled());
    folder->setText(QStringLiteral("  "));
    EXPECT_FALSE(ok->isEnabled());
    folder->setText(QString::fromStdString(work.path()));
    types->clearSelection();
    EXPECT_FALSE(ok->isEnabled());
    types->topLevelItem(0)->setSelected(true);
    EXPECT_TRUE(ok->isEnabled());
}

TEST_F(WizardWindowTest, ARefusedNameKeepsTheDialogOpenWithTheFocusOnIt) {
    CQuickProjectDlg dialog;
    dialog.setPrompter(prompter);
    bool wizardRan = false;
    dialog.setWizardRunner([&](WizardAnswers&) { return wizardRan = true; });
    dialog.show();
    Child<QLineEdit>(dialog, "nameEdit")->setText(QStringLiteral("my-book"));
    Child<QLineEdit>(dialog, "folderEdit")->setText(QString::fromStdString(work.path()));
    Child<QTreeWidget>(dialog, "typeList")->topLevelItem(1)->setSelected(true);
    Child<QLineEdit>(dialog, "folderEdit")->setFocus();
    Child<QPushButton>(dialog, "okButton")->click();
    EXPECT_THAT(
        prompter.messages,
        ElementsAre("Project Name must contain letters, digits, underscores and spaces only."));
    EXPECT_FALSE(wizardRan);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), Child<QLineEdit>(dialog, "nameEdit"));
}

// The field counts bytes as --batch does: 232 characters of which 30 take two bytes each
// fit the field's 255 characters but not the 255 bytes the settings file keeps.
TEST_F(WizardWindowTest, AFolderOverTheByteLimitIsRefusedAsInBatchMode) {
    CQuickProjectDlg dialog;
    dialog.setPrompter(prompter);
    bool wizardRan = false;
    dialog.setWizardRunner([&](WizardAnswers&) { return wizardRan = true; });
    dialog.show();
    const QString folder = QString::fromStdString(work.path() + "/") +
                           QString(200 - static_cast<int>(work.path().size()), QChar('a')) +
                           QStringLiteral("/") + QString(30, QChar(0xE9));
    ASSERT_LT(folder.size(), 255);
    ASSERT_GT(folder.toUtf8().size(), 255);
    Child<QLineEdit>(dialog, "nameEdit")->setText(QStringLiteral("Book"));
    Child<QLineEdit>(dialog, "folderEdit")->setText(folder);
    EXPECT_EQ(Child<QLineEdit>(dialog, "folderEdit")->text(), folder);
    Child<QTreeWidget>(dialog, "typeList")->topLevelItem(1)->setSelected(true);
    Child<QPushButton>(dialog, "okButton")->click();
    EXPECT_THAT(prompter.messages, ElementsAre("The Folder is too long: it can be at most 255 "
                                               "bytes, and a letter outside A to Z takes 2 to 4 "
                                               "of them."));
    EXPECT_FALSE(wizardRan);
    EXPECT_EQ(dialog.focusWidget(), Child<QLineEdit>(dialog, "folderEdit"));
    EXPECT_EQ(Setting("FOLDER"), "<missing>");
}

// A pasted answer of several lines is refused on Next, naming its field, and not remembered.
TEST_F(WizardWindowTest, AnAnswerOnSeveralLinesIsRefusedWithTheFocusOnIt) {
    ProjectWizard wizard(InitialAnswers("My Book", ReadWizardSettings(2026)), nullptr, &prompter);
    wizard.show();
    auto* publisher = Child<QLineEdit>(wizard, "publisherEdit");
    publisher->setText(QStringLiteral("Pub\n[EXTENSION1]\nLOAD=/tmp/x.so"));
    Child<QLineEdit>(wizard, "titleEdit")->setFocus();
    Child<QAbstractButton>(wizard, "nextButton")->click();
    EXPECT_THAT(prompter.messages, ElementsAre("The Publisher must be on one line: it can't hold "
                                               "a line break or a NUL character."));
    EXPECT_EQ(wizard.windowTitle().toStdString(), "Step 1 of 4 - E-Book Info");
    EXPECT_EQ(wizard.focusWidget(), publisher);
    EXPECT_EQ(Setting("PUBLISHER"), "<missing>");
    EXPECT_THAT(platform::ListProfileSections("nbxconfig.ini"), ElementsAre());
}

TEST_F(WizardWindowTest, TheFourPagesWithTheirTitlesButtonsAndChecks) {
    WizardSettings settings = ReadWizardSettings(2026);
    ProjectWizard wizard(InitialAnswers("My Book", settings), nullptr, &prompter);
    wizard.show();
    auto* back = Child<QAbstractButton>(wizard, "backButton");
    auto* next = Child<QAbstractButton>(wizard, "nextButton");
    auto* finish = Child<QAbstractButton>(wizard, "finishButton");
    const auto buttons = [&] {
        QCoreApplication::processEvents();
        return std::vector<bool>{back->isVisible() && back->isEnabled(),
                                 next->isVisible() && next->isEnabled(),
                                 finish->isVisible() && finish->isEnabled()};
    };
    const auto title = [&] { return wizard.windowTitle().toStdString(); };

    EXPECT_EQ(title(), "Step 1 of 4 - E-Book Info");
    EXPECT_EQ(buttons(), (std::vector<bool>{false, true, false}));
    auto* titleEdit = Child<QLineEdit>(wizard, "titleEdit");
    EXPECT_EQ(titleEdit->text(), QStringLiteral("My Book"));
    EXPECT_EQ(Child<QLineEdit>(wizard, "authorEdit")->text(), QStringLiteral("Your Name"));
    Save(wizard, "wizard-1-ebook-info.png");
    titleEdit->clear();
    Child<QLineEdit>(wizard, "authorEdit")->clear();
    next->click();
    EXPECT_THAT(prompter.messages, ElementsAre("Your E-Book must have a Title."));
    EXPECT_EQ(title(), "Step 1 of 4 - E-Book Info");
    titleEdit->setText(QStringLiteral("The Book"));
    next->click();
    EXPECT_EQ(prompter.messages.back(), "You must have enter the Author's name.");
    EXPECT_EQ(Setting("AUTHOR"), "<missing>");
    Child<QLineEdit>(wizard, "authorEdit")->setText(QStringLiteral("Ann"));
    Child<QLineEdit>(wizard, "publisherEdit")->setText(QStringLiteral("Pub"));
    next->click();
    EXPECT_EQ(Setting("AUTHOR"), "Ann");
    EXPECT_EQ(Setting("PUBLISHER"), "Pub");

    EXPECT_EQ(title(), "Step 2 of 4 - Splash Screen");
    EXPECT_EQ(buttons(), (std::vector<bool>{true, true, false}));
    auto* splash = Child<QComboBox>(wizard, "splashCombo");
    EXPECT_EQ(splash->count(), 4);
    EXPECT_EQ(splash->itemText(3), QStringLiteral("Create my own black and white Splash Screen"));
    Save(wizard, "wizard-2-splash-screen.png");
    splash->setCurrentIndex(3);
    back->click();  // leaving the page backwards remembers the choice too
    EXPECT_EQ(title(), "Step 1 of 4 - E-Book Info");
    EXPECT_EQ(Setting("SPLASH"), "3");
    next->click();
    EXPECT_EQ(splash->currentIndex(), 3);
    splash->setCurrentIndex(2);
    next->click();
    EXPECT_EQ(Setting("SPLASH"), "2");

    EXPECT_EQ(title(), "Step 3 of 4 - User Interface Options");
    EXPECT_EQ(buttons(), (std::vector<bool>{true, true, false}));
    auto* toolbar = Child<QCheckBox>(wizard, "toolbarCheck");
    auto* position = Child<QComboBox>(wizard, "toolbarPositionCombo");
    EXPECT_TRUE(position->isVisible());
    EXPECT_EQ(position->itemText(3), QStringLiteral("Bottom"));
    Save(wizard, "wizard-3-user-interface.png");
    position->setCurrentIndex(2);
    toolbar->setChecked(false);
    EXPECT_FALSE(position->isVisible());
    EXPECT_FALSE(Child<QLabel>(wizard, "toolbarPositionLabel")->isVisible());
    Child<QCheckBox>(wizard, "popupCheck")->setChecked(false);
    next->click();

    EXPECT_EQ(title(), "Step 4 of 4 - The Next Stage");
    EXPECT_EQ(buttons(), (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(Child<QCheckBox>(wizard, "instructionsCheck")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(wizard, "launchCheck")->isChecked());
    Save(wizard, "wizard-4-next-stage.png");
    Child<QCheckBox>(wizard, "launchCheck")->setChecked(true);
    finish->click();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);

    const WizardAnswers a = wizard.answers();
    EXPECT_EQ(a.book.title, "The Book");
    EXPECT_EQ(a.book.author, "Ann");
    EXPECT_EQ((std::vector<int>{a.splash, a.menu, a.popupMenu, a.statusBar, a.toolbar,
                                a.toolbarPosition, a.instructions, a.launch}),
              (std::vector<int>{2, 1, 0, 1, 0, 2, 1, 1}));
}

TEST_F(WizardWindowTest, OkRunsTheWizardAndMakesTheProject) {
    Remember("FOLDER", work.path());
    CQuickProjectDlg dialog;
    dialog.setPrompter(prompter);
    dialog.setWizardRunner([this](WizardAnswers& answers) {
        ProjectWizard wizard(answers, nullptr, &prompter);
        wizard.show();
        for (int page = 0; page < 3; ++page) {
            Child<QAbstractButton>(wizard, "nextButton")->click();
        }
        Child<QCheckBox>(wizard, "instructionsCheck")->setChecked(false);
        Child<QAbstractButton>(wizard, "finishButton")->click();
        answers = wizard.answers();
        return wizard.result() == QDialog::Accepted;
    });
    dialog.show();
    Child<QLineEdit>(dialog, "nameEdit")->setText(QStringLiteral("My Book 2"));
    auto* types = Child<QTreeWidget>(dialog, "typeList");
    // A double click on a type acts as OK.
    emit types->itemDoubleClicked(types->topLevelItem(0), 0);
    const std::string p = work.path() + "/My Book 2";
    EXPECT_THAT(prompter.messages,
                ElementsAre("The project was created successfully, and can be found in the " + p +
                            " folder."));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(platform::FileExists(p + "/mybook2.nxp"));
    EXPECT_TRUE(platform::FolderExists(p + "/include"));
    EXPECT_EQ(Setting("PROJECTTYPE"), ProjectTypes()[0].name);
    EXPECT_EQ(Setting("FOLDER"), work.path());
}

TEST_F(WizardWindowTest, TheFolderChooserChecksATypedPath) {
    FolderChooserDialog chooser(QStringLiteral("Select Folder"),
                                QStringLiteral("Please select your working folder."), work.path(),
                                prompter);
    chooser.show();
    EXPECT_TRUE(test::SelectedFolderSettlesInView(*Child<QTreeView>(chooser, "folderTree")));
    EXPECT_EQ(Child<QListWidget>(chooser, "folderPlaces")->currentItem()->text().toStdString(),
              std::filesystem::path(work.path()).filename().string());
    Save(chooser, "wizard-folder-chooser.png");
    auto* path = Child<QLineEdit>(chooser, "folderPathEdit");
    auto* ok = Child<QPushButton>(chooser, "okButton");
    EXPECT_EQ(path->text().toStdString(), work.path());
    path->setText(QStringLiteral("relative/path"));
    ok->click();
    EXPECT_EQ(chooser.result(), QDialog::Rejected);
    EXPECT_EQ(prompter.messages.back(),
              "The folder:\n\nrelative/path\n\nis invalid. Please reenter.");
    path->setText(QString::fromStdString(work.path()));
    ok->click();
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
    EXPECT_EQ(chooser.ChosenFolder(), work.path());
}

}  // namespace
}  // namespace nbx::wizard
