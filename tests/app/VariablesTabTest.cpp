// The Nimbrel Variables tab: adding with "A&dd Another", editing, moving and deleting, each
// through the real dialogs.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "MainFrameFixture.h"
#include "app/VariableDialog.h"

namespace nbx::test {
namespace {

using VariablesTabTest = MainFrameFixture;

TEST_F(VariablesTabTest, AddAnotherRepeatsAndTheDialogFollowsTheKind) {
    OpenWindow();
    WhenModal([&](QWidget* w) {
        ASSERT_NE(qobject_cast<app::CAddVariableDlg*>(w), nullptr);
        EXPECT_EQ(w->windowTitle().toStdString(), "Add Variable");
        auto* add = Child<QPushButton>(w, "addButton");
        auto* another = Child<QPushButton>(w, "addAnotherButton");
        EXPECT_FALSE(add->isEnabled()) << "no name yet";
        Child<QLineEdit>(w, "nameEdit")->setText("edition");
        EXPECT_FALSE(another->isEnabled()) << "rebranding needs a description";
        Child<QLineEdit>(w, "descriptionEdit")->setText("Which edition");
        EXPECT_TRUE(another->isEnabled());
        Child<QLineEdit>(w, "singleLineEdit")->setText("First");
        another->click();
    });
    WhenModal([&](QWidget* w) {
        Child<QLineEdit>(w, "nameEdit")->setText("notes");
        Child<QComboBox>(w, "kindCombo")->setCurrentIndex(4);  // Compile Time Include HTML
        EXPECT_FALSE(Child<QCheckBox>(w, "canRebrandCheck")->isVisible());
        EXPECT_FALSE(Child<QLineEdit>(w, "descriptionEdit")->isVisible());
        EXPECT_TRUE(Child<QPushButton>(w, "browseButton")->isVisible());
        EXPECT_EQ(Child<QLabel>(w, "valueLabel")->text().toStdString(), "File &name");
        EXPECT_FALSE(Child<QPushButton>(w, "addButton")->isEnabled()) << "no file yet";
        Child<QLineEdit>(w, "fileNameEdit")
            ->setText(QString::fromStdString(dir.File("src/index.htm")));
        Child<QPushButton>(w, "addButton")->click();
    });
    Trigger("actionAddVariable");
    EXPECT_EQ(frame->view()->CurrentTab(), MainTab::Variables);
    EXPECT_EQ(ListRows("variableList"),
              (Rows{{"greeting", "HTML", "Yes", "The welcome", "Hello"},
                    {"footer", "Long HTML", "", "", "<b>bye</b>"},
                    {"edition", "HTML", "Yes", "Which edition", "First"},
                    {"notes", "Include HTML", "", "", dir.File("src/index.htm")}}));
    EXPECT_TRUE(frame->document().IsModified());
}

TEST_F(VariablesTabTest, AReservedNameIsRefusedAndStopAddsNothing) {
    OpenWindow();
    WhenModal([&](QWidget* w) {
        Child<QLineEdit>(w, "nameEdit")->setText("title");
        Child<QCheckBox>(w, "canRebrandCheck")->setChecked(false);
        Child<QPushButton>(w, "addButton")->click();
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(Child<QLineEdit>(w, "nameEdit")->hasFocus() || !w->isActiveWindow());
        Child<QPushButton>(w, "stopButton")->click();
    });
    Trigger("actionAddVariable");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0],
              "You can not call your variable 'title' as this variable name is used for a "
              "predefined system variable.");
    EXPECT_EQ(ListRows("variableList").size(), 2u);
}

TEST_F(VariablesTabTest, EditMoveAndDelete) {
    OpenWindow();
    Select(MainTab::Variables, 1);
    WhenModal([&](QWidget* w) {
        ASSERT_NE(qobject_cast<app::CEditVariableDlg*>(w), nullptr);
        EXPECT_EQ(w->windowTitle().toStdString(), "Edit Variable");
        auto* text = Child<QPlainTextEdit>(w, "multiLineEdit");
        EXPECT_EQ(text->toPlainText().toStdString(), "<b>bye</b>");
        EXPECT_TRUE(text->isVisible());
        text->setPlainText("<i>farewell</i>");
        Child<QLineEdit>(w, "nameEdit")->setText("closing");
        Child<QPushButton>(w, "okButton")->click();
    });
    Trigger("actionItemProperties");
    EXPECT_EQ(ListRows("variableList")[1],
              (std::vector<std::string>{"closing", "Long HTML", "", "", "<i>farewell</i>"}));

    Select(MainTab::Variables, 1);
    Trigger("actionItemMoveUp");
    EXPECT_EQ(ListRows("variableList")[0][0], "closing");
    EXPECT_EQ(frame->view()->SelectedRow(MainTab::Variables), 0u);
    Trigger("actionItemMoveUp");
    EXPECT_EQ(prompter.messages.back(), "This variable can not be moved further up.");
    Trigger("actionItemMoveToBottom");
    EXPECT_EQ(ListRows("variableList")[1][0], "closing");

    prompter.answers = {Answer::No};
    Trigger("actionDeleteVariable");
    EXPECT_EQ(prompter.questions.back().text,
              "Are you sure that you want to delete this variable?");
    EXPECT_EQ(ListRows("variableList").size(), 2u);
    prompter.answers = {Answer::Yes};
    Trigger("actionDeleteVariable");
    EXPECT_EQ(ListRows("variableList"),
              (Rows{{"greeting", "HTML", "Yes", "The welcome", "Hello"}}));
}

}  // namespace
}  // namespace nbx::test
