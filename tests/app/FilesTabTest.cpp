// The Files tab: toggles with their refusals, the context menu with its ticks, the file
// properties dialog, and the moves.

#include <filesystem>

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "MainFrameFixture.h"
#include "app/FilePropertiesDialog.h"
#include "qtcommon/FolderChooserDialog.h"

namespace nbx::test {
namespace {

using FilesTabTest = MainFrameFixture;

std::vector<std::string> MenuTexts(QMenu* menu) {
    std::vector<std::string> texts;
    for (QAction* a : menu->actions()) {
        texts.push_back(a->isSeparator() ? "-"
                        : a->isChecked() ? "[x] " + a->text().toStdString()
                                         : a->text().toStdString());
    }
    return texts;
}

TEST_F(FilesTabTest, TogglesOfAPictureAndOfAPage) {
    OpenWindow();
    Select(MainTab::Files, 2);  // pic.gif
    for (const char* name : {"actionToggleSearchable", "actionToggleInContents",
                             "actionTogglePreprocessor", "actionFileMoveUp"}) {
        EXPECT_FALSE(frame->Action(name)->isEnabled()) << name;
    }
    Trigger("actionToggleExcluded");
    EXPECT_EQ(ListRows("fileList")[2][1], "Excluded");
    EXPECT_TRUE(frame->document().IsModified());
    EXPECT_EQ(frame->view()->SelectedRow(MainTab::Files), 2u) << "the row stays selected";

    Select(MainTab::Files, 1);  // knots.htm
    Trigger("actionTogglePreprocessor");
    Trigger("actionToggleInContents");
    EXPECT_EQ(ListRows("fileList")[1],
              (std::vector<std::string>{"knots.htm", "", "Knots", "", "", "Yes", "", "Yes"}));
}

TEST_F(FilesTabTest, ContextMenuTicksTheFlagsOfTheRow) {
    OpenWindow();
    Select(MainTab::Files, 0);
    auto menu = frame->ContextMenu(MainTab::Files);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(MenuTexts(menu.get()),
              (std::vector<std::string>{"&Excluded", "[x] &Searchable", "[x] In &Table Of Contents",
                                        "PrePro&cessor", "-", "P&roperties...", "-", "Move To T&op",
                                        "Move &Up", "Move &Down", "Move To &Bottom"}));
    // An item runs its command.
    menu->actions()[0]->trigger();
    EXPECT_EQ(ListRows("fileList")[0][1], "Excluded");

    Select(MainTab::Files, 2);
    menu = frame->ContextMenu(MainTab::Files);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(MenuTexts(menu.get()),
              (std::vector<std::string>{"&Excluded", "-", "P&roperties..."}));

    frame->view()->List(MainTab::Files)->clearSelection();
    EXPECT_EQ(frame->ContextMenu(MainTab::Files), nullptr);
}

TEST_F(FilesTabTest, PropertiesDialogChecksTheTitleAndStores) {
    OpenWindow();
    Select(MainTab::Files, 1);
    WhenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<app::FilePropertiesDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle().toStdString(), "Edit File Properties");
        Child<QLineEdit>(w, "titleEdit")->clear();
        Child<QPushButton>(w, "okButton")->click();
        // Refused: the dialog stays open with its message.
        EXPECT_TRUE(w->isVisible());
        Child<QLineEdit>(w, "titleEdit")->setText("Reef and Bowline");
        Child<QLineEdit>(w, "keywordsEdit")->setText("reef");
        Child<QCheckBox>(w, "preprocessCheck")->setChecked(true);
        Child<QPushButton>(w, "okButton")->click();
    });
    Trigger("actionItemProperties");
    EXPECT_EQ(prompter.messages,
              (std::vector<std::string>{
                  "You must have a title if you want this file to be searchable or in the Table "
                  "Of Contents."}));
    EXPECT_EQ(ListRows("fileList")[1],
              (std::vector<std::string>{"knots.htm", "", "Reef and Bowline", "", "reef", "Yes",
                                        "Yes", "Yes"}));

    // A picture's dialog shows the name and the exclusion only, and is shorter.
    int htmlHeight = 0;
    Select(MainTab::Files, 1);
    WhenModal([&](QWidget* w) {
        htmlHeight = w->height();
        Child<QPushButton>(w, "cancelButton")->click();
    });
    Trigger("actionFileProperties");
    Select(MainTab::Files, 2);
    WhenModal([&](QWidget* w) {
        EXPECT_FALSE(Child<QLineEdit>(w, "titleEdit")->isVisible());
        EXPECT_FALSE(Child<QCheckBox>(w, "searchableCheck")->isEnabled());
        EXPECT_TRUE(Child<QCheckBox>(w, "excludeCheck")->isVisible());
        EXPECT_LT(w->height(), htmlHeight);
        Child<QCheckBox>(w, "excludeCheck")->setChecked(true);
        Child<QPushButton>(w, "okButton")->click();
    });
    // A double click on the row opens it too.
    emit frame->view()->RowActivated(MainTab::Files);
    QApplication::processEvents();
    EXPECT_EQ(ListRows("fileList")[2][1], "Excluded");
}

TEST_F(FilesTabTest, MovesKeepTheMovedFileSelected) {
    OpenWindow();
    Select(MainTab::Files, 1);
    Trigger("actionItemMoveUp");
    EXPECT_EQ(ListRows("fileList")[0][0], "knots.htm");
    EXPECT_EQ(frame->view()->SelectedRow(MainTab::Files), 0u);
    Trigger("actionItemMoveUp");
    EXPECT_EQ(prompter.messages.back(), "This file can not be moved further up.");
    Trigger("actionItemMoveToBottom");
    EXPECT_EQ(ListRows("fileList")[1][0], "knots.htm");
    EXPECT_EQ(frame->view()->SelectedRow(MainTab::Files), 1u);
}

TEST_F(FilesTabTest, RefreshKeepsTheSelectionAndAllFilesAsks) {
    OpenWindow();
    dir.Write("src/about.htm", "<title>About</title>");
    Select(MainTab::Files, 1);
    Trigger("actionRefreshFiles");
    ASSERT_EQ(ListRows("fileList").size(), 4u);
    const auto row = frame->view()->SelectedRow(MainTab::Files);
    ASSERT_TRUE(row);
    EXPECT_EQ(ListRows("fileList")[*row][0], "knots.htm");

    prompter.answers = {Answer::Yes};
    Trigger("actionAllRemoveSearchable");
    EXPECT_EQ(prompter.questions.back().text,
              "Are you sure that you want to remove searching from all your files?");
    for (const auto& cells : ListRows("fileList")) {
        EXPECT_EQ(cells[5], "") << cells[0];
    }
}

TEST_F(FilesTabTest, ScanFolderTakesTheChosenFolder) {
    OpenWindow();
    dir.Write("other/one.htm", "<title>One</title>");
    frame->dialogs.scanFolder = [&](const std::string& start) {
        EXPECT_EQ(start, dir.File("src"));
        return dir.File("other");
    };
    Trigger("actionScanFolder");
    EXPECT_EQ(frame->view()->CurrentTab(), MainTab::Files);
    EXPECT_EQ(ListRows("fileList"), (Rows{{"one.htm", "", "One", "", "", "Yes", "Yes", ""}}));
    EXPECT_EQ(frame->document().project().sourceFolder, dir.File("other"));
}

}  // namespace
}  // namespace nbx::test

namespace nbx::test {
namespace {

// The folder chooser of Scan Folder: OK checks the typed path; a missing folder is created
// after a Yes.
TEST(FolderChooserDialogTest, OkChecksTheTypedPath) {
    TempDir dir;
    RecordingPrompter prompter;
    FolderChooserDialog chooser("Scan Folder",
                                "Please select the folder containing the source files", dir.path(),
                                prompter);
    EXPECT_EQ(chooser.windowTitle().toStdString(), "Scan Folder");
    auto* path = Child<QLineEdit>(&chooser, "folderPathEdit");
    auto* ok = Child<QPushButton>(&chooser, "okButton");
    EXPECT_EQ(path->text().toStdString(), dir.path());
    path->clear();
    EXPECT_FALSE(ok->isEnabled());
    path->setText("relative/folder");
    ok->click();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0],
              "The folder:\n\nrelative/folder\n\nis invalid. Please reenter.");
    EXPECT_EQ(chooser.result(), QDialog::Rejected);

    const std::string missing = dir.File("new/pages");
    path->setText(QString::fromStdString(missing));
    prompter.answers = {Answer::Yes};
    ok->click();
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
    EXPECT_EQ(chooser.ChosenFolder(), missing);
    EXPECT_TRUE(std::filesystem::is_directory(missing));
}

// New Folder makes the folder inside the selected one, without the question, and selects it;
// a name the checks refuse makes nothing.
TEST(FolderChooserDialogTest, NewFolderIsMadeInsideTheSelectedOne) {
    TempDir dir;
    RecordingPrompter prompter;
    FolderChooserDialog chooser("Scan Folder", "Pick", dir.path(), prompter);
    auto* path = Child<QLineEdit>(&chooser, "folderPathEdit");
    EXPECT_TRUE(chooser.MakeFolder("pages"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("pages")));
    EXPECT_EQ(path->text().toStdString(), dir.File("pages"));
    EXPECT_TRUE(prompter.questions.empty());
    EXPECT_FALSE(chooser.MakeFolder("bad?name"));
    EXPECT_EQ(prompter.messages,
              std::vector<std::string>{"The folder:\n\n" + dir.File("pages/bad?name") +
                                       "\n\nis invalid. Please reenter."});
    EXPECT_FALSE(std::filesystem::exists(dir.File("pages/bad?name")));
}

}  // namespace
}  // namespace nbx::test
