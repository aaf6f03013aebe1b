// The language editor's windows on a small language file: the name dialog, the list of
// CLanguageEditDlg, its text and two-part edits, Save and the Cancel question.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "app/dialogs/DialogTestSupport.h"
#include "app/dialogs/LanguageEditDialog.h"
#include "app/dialogs/LanguageNameDialog.h"
#include "app/dialogs/LanguagePartsDialog.h"
#include "app/dialogs/LanguageTextDialog.h"
#include "support/TempDir.h"
#include "viewerfiles/CLanguageMap.h"

namespace nbx {
namespace {

using test::Child;

// Drives the next modal dialog.
void DriveNextModal(const std::function<void(QDialog&)>& drive) {
    QTimer::singleShot(0, [drive] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        drive(*dialog);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
}

class LanguageDialogsTest : public ::testing::Test {
protected:
    LanguageDialogsTest() {
        CLanguageMap language;
        language.SetText(1, 'F', "4.22");
        language.SetText(2, 'D', "Long text\nShort");
        language.SetText(3, 'H', "<b>x</b>\tend");
        language.SetText(4, 'P', "Print");
        language.SetText(5, 'T', "Text Files|*.txt|rest");
        EXPECT_TRUE(language.Write(languagePath));
        CLanguageMap translation;
        translation.SetText(2, 'R', "Purpose B");
        translation.SetText(3, 'R', "Purpose A");
        translation.SetText(4, 'R', "Purpose A");
        translation.SetText(5, 'R', "Purpose C");
        EXPECT_TRUE(translation.Write(translationPath));
    }
    test::TempDir dir;
    const std::string languagePath = dir.File("Mine.lng");
    const std::string translationPath = dir.File("translat.dat");
    test::RecordingPrompter prompter;
};

TEST_F(LanguageDialogsTest, EditorListsSortedNumberedRowsWithHiddenColumns) {
    app::LanguageEditDialog editor("Mine", prompter);
    ASSERT_TRUE(editor.Load(languagePath, translationPath));
    EXPECT_EQ(editor.windowTitle(), "Edit Language File - Mine");
    auto* list = Child<QTreeWidget>(editor, "languageData");
    EXPECT_TRUE(list->isColumnHidden(0));
    EXPECT_TRUE(list->isColumnHidden(1));
    ASSERT_EQ(list->topLevelItemCount(), 4);  // the F record is not listed
    const char* keys[] = {"3", "4", "2", "5"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(list->topLevelItem(i)->text(0), keys[i]);
        EXPECT_EQ(list->topLevelItem(i)->text(2), QString::number(i + 1));
    }
    EXPECT_FALSE(Child<QPushButton>(editor, "edit")->isEnabled());
    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_TRUE(Child<QPushButton>(editor, "edit")->isEnabled());
    test::SaveScreenshot(editor, "language_editor");
}

TEST_F(LanguageDialogsTest, EditsSaveAndCancelQuestion) {
    app::LanguageEditDialog editor("Mine", prompter);
    ASSERT_TRUE(editor.Load(languagePath, translationPath));
    editor.show();

    // H: the long form shows the tab as "\t", the title says HTML; Enter confirms.
    DriveNextModal([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Edit Language Text (HTML)");
        auto* field = Child<QPlainTextEdit>(d, "value");
        EXPECT_EQ(field->toPlainText(), "<b>x</b>\\tend");
        field->setPlainText("<i>y</i>\\n");
        test::SaveScreenshot(d, "language_text");
        QTest::keyClick(field, Qt::Key_Return);
    });
    editor.EditRow(0);
    EXPECT_EQ(editor.model().rows()[0].value, "<i>y</i>\n");
    EXPECT_TRUE(editor.model().modified());

    // D: an emptied short description is refused, the dialog stays.
    DriveNextModal([this](QDialog& d) {
        auto* first = Child<QLineEdit>(d, "first");
        auto* second = Child<QLineEdit>(d, "second");
        EXPECT_EQ(first->text(), "Long text");
        EXPECT_EQ(second->text(), "Short");
        test::SaveScreenshot(d, "language_parts");
        second->clear();
        test::ClickOk(d);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(prompter.messages, std::vector<std::string>{"You left Short Description blank."});
        second->setText("Brief");
        test::ClickOk(d);
    });
    editor.EditRow(2);
    EXPECT_EQ(editor.model().rows()[2].value, "Long text\nBrief");

    // Cancel with changes asks; No keeps the editor open.
    prompter.answers = {Answer::No};
    editor.reject();
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0].text, "Are you sure that you want to discard your changes?");
    EXPECT_TRUE(editor.isVisible());

    Child<QPushButton>(editor, "save")->click();
    EXPECT_FALSE(editor.isVisible());
    CLanguageMap saved;
    ASSERT_TRUE(saved.Read(languagePath));
    EXPECT_EQ(saved.GetText(3), "<i>y</i>\n");
    EXPECT_EQ(saved.GetText(2), "Long text\nBrief");
}

TEST_F(LanguageDialogsTest, TwoPartTKeepsTheTailAndRefusesABar) {
    app::LanguagePartsDialog dialog('T', "Purpose C", "Text Files|*.txt|rest", prompter);
    EXPECT_EQ(Child<QLineEdit>(dialog, "first")->text(), "Text Files");
    EXPECT_EQ(Child<QLineEdit>(dialog, "second")->text(), "*.txt");
    EXPECT_FALSE(Child<QLineEdit>(dialog, "second")->isEnabled());
    Child<QLineEdit>(dialog, "first")->setText("A|B");
    dialog.accept();
    EXPECT_EQ(prompter.messages,
              std::vector<std::string>{"Illegal character (|) in File Description."});
    Child<QLineEdit>(dialog, "first")->setText("Texts");
    dialog.accept();
    EXPECT_EQ(dialog.value(), "Texts|*.txt|rest");
}

TEST_F(LanguageDialogsTest, ShortTextIsOneLineWithoutConversion) {
    app::LanguageTextDialog dialog('P', "Purpose A", "Print\\t", nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Edit Language Text");
    auto* field = Child<QLineEdit>(dialog, "value");
    EXPECT_EQ(field->text(), "Print\\t");
    EXPECT_EQ(field->maxLength(), 255);
    EXPECT_EQ(dialog.value(), "Print\\t");
}

TEST_F(LanguageDialogsTest, NameDialogEnablesOkAndRefusesBadNames) {
    app::LanguageNameDialog dialog("English", prompter);
    EXPECT_EQ(dialog.windowTitle(), "Select Name for File");
    auto* name = Child<QLineEdit>(dialog, "languageName");
    EXPECT_EQ(name->maxLength(), 16);
    auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    test::SaveScreenshot(dialog, "language_name");
    name->setText("   ");
    EXPECT_FALSE(ok->isEnabled());
    name->setText("English");
    EXPECT_TRUE(ok->isEnabled());
    dialog.accept();  // the English file is never overwritten
    EXPECT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace nbx
