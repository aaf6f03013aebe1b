// "Edit E-Book Info", "Edit Output", "Edit Start Up" and "Edit User Interface" opened through
// RunSettingsDialog: initial values, the OK checks in order, OK writing back, Cancel not.

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gmock/gmock.h>

#include "app/dialogs/DialogTestSupport.h"
#include "support/TempDir.h"
#include "viewerfiles/LanguageEditFlow.h"

namespace nbx {
namespace {

using app::SettingsArea;
using test::Child;
using test::ClickOk;
using test::RunDriven;
using ::testing::HasSubstr;

class TextDialogsTest : public test::SettingsDialogFixture {
protected:
    TextDialogsTest() { context.programFolder = NBX_PROGRAM_DIR; }
};

TEST_F(TextDialogsTest, EBookInfoShowsChecksAndWritesBack) {
    struct Case {
        const char* title;
        const char* copyright;
        const char* author;
        const char* message;
        const char* focus;
    };
    const Case cases[] = {
        {"", "", "", "Your E-Book must have a Title.", "title"},
        {"T", "", "", "You must have a Copyright message.", "copyright"},
        {"T", "C", "", "You must have enter the Author's name.", "author"},
    };
    const bool confirmed = RunDriven(SettingsArea::EBookInfo, document, context, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Edit E-Book Info");
        EXPECT_EQ(Child<QLineEdit>(d, "title")->text(), "Sea Tales");
        EXPECT_EQ(Child<QLineEdit>(d, "publisher")->text(), "Harbour Press");
        EXPECT_EQ(Child<QLineEdit>(d, "authorUrl")->text(), "http://example.org/");
        // Three "Required" labels in bold dark red, three "Optional" in blue.
        int required = 0;
        int optional = 0;
        for (QLabel* label : d.findChildren<QLabel*>()) {
            if (label->text() == "Required") {
                ++required;
                EXPECT_TRUE(label->font().bold());
                EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(128, 0, 0));
            } else if (label->text() == "Optional") {
                ++optional;
                EXPECT_FALSE(label->font().bold());
                EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
            }
        }
        EXPECT_EQ(required, 3);
        EXPECT_EQ(optional, 3);
        test::SaveScreenshot(d, "ebook_info");
        for (const Case& c : cases) {
            Child<QLineEdit>(d, "title")->setText(c.title);
            Child<QLineEdit>(d, "copyright")->setText(c.copyright);
            Child<QLineEdit>(d, "author")->setText(c.author);
            prompter.messages.clear();
            ClickOk(d);
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(prompter.messages, std::vector<std::string>{c.message});
            EXPECT_EQ(d.focusWidget(), Child<QLineEdit>(d, c.focus)) << c.message;
        }
        EXPECT_FALSE(document.IsModified());            // nothing reaches the project before OK
        Child<QLineEdit>(d, "author")->setText("   ");  // blanks count as filled
        ClickOk(d);
    });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(document.project().title, "T");
    EXPECT_EQ(document.project().author, "   ");
    EXPECT_TRUE(document.IsModified());
}

// The object names of the widgets that Tab visits, in order, from the dialog itself.
std::vector<std::string> TabChain(QWidget& dialog) {
    std::vector<std::string> names;
    for (QWidget* w = dialog.nextInFocusChain(); w != &dialog; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&dialog)) {
            names.push_back(w->objectName().isEmpty() ? w->metaObject()->className()
                                                      : w->objectName().toStdString());
        }
    }
    return names;
}

TEST_F(TextDialogsTest, TabGoesThroughTheFieldsTopToBottomThenOkAndCancel) {
    RunDriven(SettingsArea::EBookInfo, document, context, [](QDialog& d) {
        EXPECT_EQ(TabChain(d), (std::vector<std::string>{"title", "publisher", "copyright",
                                                         "author", "authorEmail", "authorUrl",
                                                         "QPushButton", "QPushButton"}));
    });
    RunDriven(SettingsArea::StartUp, document, context, [](QDialog& d) {
        const std::vector<std::string> chain = TabChain(d);
        ASSERT_GE(chain.size(), 2u);
        EXPECT_EQ(chain.front(), "startupMessage");
        EXPECT_EQ(chain[chain.size() - 2], "QPushButton");  // OK and Cancel come last
    });
}

TEST_F(TextDialogsTest, CancelWritesNothingAndOkWithoutChangeStillModifies) {
    const ProjectSettings before = document.project();
    for (SettingsArea area : {SettingsArea::EBookInfo, SettingsArea::Output, SettingsArea::StartUp,
                              SettingsArea::UserInterface}) {
        EXPECT_FALSE(RunDriven(area, document, context, [](QDialog& d) {
            for (QLineEdit* edit : d.findChildren<QLineEdit*>()) {
                edit->setText("changed");
            }
            for (QCheckBox* box : d.findChildren<QCheckBox*>()) {
                box->toggle();
            }
            test::ClickCancel(d);
        }));
        EXPECT_EQ(static_cast<const ProjectSettings&>(document.project()), before);
        EXPECT_FALSE(document.IsModified());
    }
    for (SettingsArea area : {SettingsArea::EBookInfo, SettingsArea::Output, SettingsArea::StartUp,
                              SettingsArea::UserInterface}) {
        document.SetModifiedFlag(false);
        EXPECT_TRUE(RunDriven(area, document, context, [](QDialog& d) { ClickOk(d); }));
        EXPECT_TRUE(document.IsModified());
    }
    // Only the user interface's language may differ: the list offers the installed ones.
    ProjectSettings after = document.project();
    after.language = before.language;
    EXPECT_EQ(after, before);
}

TEST_F(TextDialogsTest, OutputEnablingChecksAndWriteBack) {
    struct Case {
        const char* ebook;
        const char* rebrander;
        const char* title;
        const char* message;
        const char* focus;
    };
    const Case cases[] = {
        {"", "/b/r.exe", "T", "You have not set the Output E-Book EXE.", "outputExe"},
        {"/b/a.exe", "", "T", "You have not set the Output Rebrander EXE.", "rebranderExe"},
        {"/b/a.exe", "/B/A.EXE", "T",
         "The Output E-Book EXE and the Output Rebrander EXE must be set to different file names "
         "(but be in the same folder).",
         "rebranderExe"},
        {"/b/a.exe", "/b/sub/r.exe", "T",
         "The Output E-Book EXE and the Output Rebrander EXE must be both in the same folder.",
         "rebranderExe"},
        {"/b/a.exe", "/b/r.exe", "", "You have not set the Rebrander Title.", "rebranderTitle"},
    };
    const bool confirmed = RunDriven(SettingsArea::Output, document, context, [&](QDialog& d) {
        EXPECT_EQ(Child<QLineEdit>(d, "outputExe")->text(), "/books/out/sea.exe");
        EXPECT_EQ(Child<QLineEdit>(d, "rebranderTitle")->text(), "Rebrand the Sea");
        auto* build = Child<QCheckBox>(d, "buildRebrander");
        EXPECT_TRUE(build->isChecked());
        EXPECT_TRUE(Child<QLineEdit>(d, "rebranderExe")->isEnabled());
        test::SaveScreenshot(d, "output");
        // Under each output name, the system it builds for, as the name is typed.
        auto* target = Child<QLabel>(d, "outputTarget");
        EXPECT_THAT(target->text().toStdString(), HasSubstr("Windows"));
        Child<QLineEdit>(d, "outputExe")->setText("/books/out/sea");
        EXPECT_THAT(target->text().toStdString(), HasSubstr("Linux"));
        Child<QLineEdit>(d, "rebranderExe")->setText("/books/out/Rebrand.EXE");
        EXPECT_THAT(Child<QLabel>(d, "rebranderTarget")->text().toStdString(),
                    HasSubstr("Windows"));
        for (const Case& c : cases) {
            Child<QLineEdit>(d, "outputExe")->setText(c.ebook);
            Child<QLineEdit>(d, "rebranderExe")->setText(c.rebrander);
            Child<QLineEdit>(d, "rebranderTitle")->setText(c.title);
            prompter.messages.clear();
            ClickOk(d);
            EXPECT_EQ(prompter.messages, std::vector<std::string>{c.message});
            EXPECT_EQ(d.focusWidget(), Child<QWidget>(d, c.focus)) << c.message;
        }
        Child<QLineEdit>(d, "rebranderTitle")->setText("T");
        Child<QPlainTextEdit>(d, "rebranderStartMessage")->clear();
        prompter.messages.clear();
        ClickOk(d);
        EXPECT_EQ(prompter.messages,
                  std::vector<std::string>{"You have not set the Rebrander Start Message."});
        Child<QPlainTextEdit>(d, "rebranderStartMessage")->setPlainText("S");
        Child<QPlainTextEdit>(d, "rebranderEndMessage")->clear();
        prompter.messages.clear();
        ClickOk(d);
        EXPECT_EQ(prompter.messages,
                  std::vector<std::string>{"You have not set the Rebrander End Message."});
        // With the Rebrander off its fields are disabled and no longer checked.
        build->setChecked(false);
        EXPECT_FALSE(Child<QLineEdit>(d, "rebranderExe")->isEnabled());
        EXPECT_FALSE(Child<QWidget>(d, "browseRebrander")->isEnabled());
        test::SaveScreenshot(d, "output_no_rebrander");
        // The "Required" marks of disabled fields are greyed with them.
        for (const QLabel* mark : d.findChildren<QLabel*>()) {
            if (mark->text() == "Required") {
                const QColor shown =
                    mark->palette().color(mark->isEnabled() ? QPalette::Active : QPalette::Disabled,
                                          QPalette::WindowText);
                EXPECT_EQ(shown == QColor(128, 0, 0), mark->isEnabled());
            }
        }
        Child<QLineEdit>(d, "outputExe")->setText("/b/Book.EXE");
        ClickOk(d);
    });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(document.project().outputExe, "/b/Book.EXE");
    EXPECT_EQ(document.project().buildRebrander, 0);
}

// Browse opens where the path lies, even when its folder is still to be made, and adds no
// ending: Save gives the same path back. Every file is shown first.
TEST_F(TextDialogsTest, OutputBrowseKeepsAPathWhoseFolderIsMissing) {
    test::TempDir dir;
    const std::string path = dir.File("new/out/mybook");
    document.project().outputExe = path;
    document.project().buildRebrander = 0;
    RunDriven(SettingsArea::Output, document, context, [&](QDialog& d) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(files, nullptr);
            seen = true;
            EXPECT_EQ(files->windowTitle(), "Output E-Book EXE");
            EXPECT_EQ(files->directory().absolutePath().toStdString(), dir.path());
            EXPECT_EQ(files->nameFilters().value(0), "All Files (*)");
            EXPECT_EQ(files->nameFilters().value(1), "Executable Files (*.exe)");
            EXPECT_EQ(files->defaultSuffix(), "");
            QMetaObject::invokeMethod(files, "accept");  // Save, as the button does
        });
        Child<QPushButton>(d, "browseEBook")->click();
        EXPECT_TRUE(seen);
        EXPECT_EQ(Child<QLineEdit>(d, "outputExe")->text().toStdString(), path);
        test::ClickCancel(d);
    });
}

TEST_F(TextDialogsTest, StartUpShowsChecksAndWritesBack) {
    test::TempDir dir;
    const std::string splash = dir.Write("splash.bmp", "BM");
    struct Case {
        const char* x;
        const char* y;
        std::string splash;
        const char* message;
        const char* focus;
    };
    const Case cases[] = {
        {"", "480", "", "No X size set", "x"},
        {"640", "", "", "No Y size set", "y"},
        {"99", "480", "", "X size must be between 100 and 2000", "x"},
        {"640", "2001", "", "Y size must be between 100 and 2000", "y"},
        {"640", "480", dir.File("none.bmp"), "The splash bitmap file does not exist.",
         "splashBitmap"},
    };
    const bool confirmed = RunDriven(SettingsArea::StartUp, document, context, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Edit Start Up");
        EXPECT_EQ(Child<QComboBox>(d, "initialSize")->currentText(), "Custom");
        EXPECT_EQ(Child<QLineEdit>(d, "x")->text(), "640");
        EXPECT_EQ(Child<QLineEdit>(d, "y")->text(), "480");
        EXPECT_TRUE(Child<QComboBox>(d, "initialPosition")->isEnabled());
        EXPECT_EQ(Child<QComboBox>(d, "initialPosition")->currentText(), "Bottom Right");
        EXPECT_EQ(Child<QComboBox>(d, "splashDelay")->currentText(), "1.5 secs");
        // An empty bitmap path disables the delay and the percentage bar.
        EXPECT_FALSE(Child<QComboBox>(d, "splashDelay")->isEnabled());
        EXPECT_FALSE(Child<QCheckBox>(d, "percentageBar")->isEnabled());
        // X and Y take digits only.
        Child<QLineEdit>(d, "x")->selectAll();
        QTest::keyClicks(Child<QLineEdit>(d, "x"), "6a4-0");
        EXPECT_EQ(Child<QLineEdit>(d, "x")->text(), "640");
        test::SaveScreenshot(d, "start_up");
        for (const Case& c : cases) {
            Child<QLineEdit>(d, "x")->setText(c.x);
            Child<QLineEdit>(d, "y")->setText(c.y);
            Child<QLineEdit>(d, "splashBitmap")->setText(QString::fromStdString(c.splash));
            prompter.messages.clear();
            ClickOk(d);
            EXPECT_EQ(prompter.messages, std::vector<std::string>{c.message});
            EXPECT_EQ(d.focusWidget(), Child<QWidget>(d, c.focus)) << c.message;
        }
        Child<QLineEdit>(d, "splashBitmap")->setText(QString::fromStdString(splash));
        EXPECT_TRUE(Child<QComboBox>(d, "splashDelay")->isEnabled());
        Child<QComboBox>(d, "initialSize")->setCurrentIndex(0);  // Maximized
        EXPECT_FALSE(Child<QLineEdit>(d, "x")->isEnabled());
        EXPECT_FALSE(Child<QComboBox>(d, "initialPosition")->isEnabled());
        ClickOk(d);  // X and Y are not checked for a size that is not custom
    });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(document.project().initialWidth, -1);
    EXPECT_EQ(document.project().initialHeight, -1);
    EXPECT_EQ(document.project().initialPosition, -4);
    EXPECT_EQ(document.project().splashBitmap, splash);
    EXPECT_EQ(document.project().splashExtraDelay, 1500);
}

TEST_F(TextDialogsTest, UserInterfaceShowsTheSwitchesInOrderAndWritesBack) {
    const bool confirmed =
        RunDriven(SettingsArea::UserInterface, document, context, [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Edit User Interface");
            auto* list = Child<QListWidget>(d, "switches");
            ASSERT_EQ(list->count(), 32);
            EXPECT_EQ(list->item(1)->text(), "Menu is shown");
            EXPECT_EQ(list->item(1)->checkState(), Qt::Unchecked);
            EXPECT_EQ(list->item(22)->text(), "Toolbar - Find button");
            EXPECT_EQ(list->item(22)->checkState(), Qt::Checked);
            EXPECT_EQ(Child<QComboBox>(d, "toolbarPosition")->currentText(), "Right");
            auto* language = Child<QComboBox>(d, "language");
            EXPECT_EQ(language->currentText(), "English");
            test::SaveScreenshot(d, "user_interface");
            // "&Edit..." checks the language file first; this program's folder holds none.
            Child<QPushButton>(d, "editLanguage")->click();
            EXPECT_EQ(prompter.messages, std::vector<std::string>{kCorruptLanguageMessage});
            list->item(30)->setCheckState(Qt::Unchecked);  // "Window can be resized"
            Child<QComboBox>(d, "toolbarPosition")->setCurrentIndex(3);
            ClickOk(d);
        });
    EXPECT_TRUE(confirmed);
    const Project& p = document.project();
    EXPECT_EQ(p.windowResizable, 0);
    EXPECT_EQ(p.windowResizableCopyA, 0);
    EXPECT_EQ(p.windowResizableCopyB, 0);
    EXPECT_EQ(p.toolbarPosition, 3);
    EXPECT_EQ(p.menuShown, 0);
    EXPECT_EQ(p.language, "English");
}

}  // namespace
}  // namespace nbx
