// "Edit Icon" on a copy of the program's icon library, and "Edit Add-Ins" on a registry of
// stand-in extensions.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <filesystem>

#include "app/dialogs/DialogTestSupport.h"
#include "extensions/ExtensionRegistry.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

using app::SettingsArea;
using test::Child;
using test::ClickOk;
using test::RunDriven;
namespace fs = std::filesystem;

class IconDialogTest : public test::SettingsDialogFixture {
protected:
    IconDialogTest() {
        fs::copy(fs::path(NBX_PROGRAM_DIR) / "icons", fs::path(dir.path()) / "icons",
                 fs::copy_options::recursive);
        // One byte too many: not offered.
        std::string big = test::ReadWholeFile(dir.File("icons/Books/open_book.ico"));
        dir.Write("icons/Books/big.ico", big + '\0');
        document.project().iconFile = dir.File("icons/Books/open_book.ico");
        context.programFolder = dir.path();
    }
    test::TempDir dir;
};

TEST_F(IconDialogTest, ShowsTheLibraryPreviewsAndStoresTheChoice) {
    const bool confirmed = RunDriven(SettingsArea::Icon, document, context, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Edit Icon");
        auto* install = Child<QComboBox>(d, "installOption");
        ASSERT_EQ(install->count(), 3);
        EXPECT_EQ(install->itemText(0), "N/A");
        EXPECT_EQ(install->currentText(), "On the Start Menu");
        auto* category = Child<QComboBox>(d, "category");
        ASSERT_EQ(category->count(), 2);
        EXPECT_EQ(category->currentText(), "Books");
        auto* icons = Child<QListWidget>(d, "icons");
        EXPECT_EQ(icons->count(), 2);  // big.ico is not offered
        EXPECT_EQ(icons->gridSize(), QSize(42, 42));
        EXPECT_FALSE(Child<QLabel>(d, "preview")->pixmap().isNull());
        test::SaveScreenshot(d, "icon");
        category->setCurrentIndex(1);
        EXPECT_EQ(icons->count(), 2);
        icons->setCurrentRow(0);  // globe.ico
        install->setCurrentIndex(1);
        ClickOk(d);
    });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(document.project().iconFile, dir.File("icons/Computers/globe.ico"));
    EXPECT_EQ(document.project().installOption, -1);
    EXPECT_TRUE(document.IsModified());
}

TEST_F(IconDialogTest, RefreshAfterThePreviewedIconWentLeavesNoneAndOkStoresEmpty) {
    const bool confirmed = RunDriven(SettingsArea::Icon, document, context, [&](QDialog& d) {
        fs::remove(dir.File("icons/Books/open_book.ico"));
        Child<QPushButton>(d, "refresh")->click();
        EXPECT_EQ(Child<QListWidget>(d, "icons")->count(), 1);
        EXPECT_TRUE(Child<QLabel>(d, "preview")->pixmap().isNull());
        ClickOk(d);
    });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(document.project().iconFile, "");
}

// The dialog opens on the category of the project's icon.
TEST_F(IconDialogTest, OpensOnTheCategoryOfTheProjectsIcon) {
    document.project().iconFile = dir.File("icons/Computers/monitor.ico");
    RunDriven(SettingsArea::Icon, document, context, [&](QDialog& d) {
        EXPECT_EQ(Child<QComboBox>(d, "category")->currentText(), "Computers");
        auto* icons = Child<QListWidget>(d, "icons");
        ASSERT_NE(icons->currentItem(), nullptr);
        EXPECT_EQ(icons->currentItem()->toolTip().toStdString(),
                  dir.File("icons/Computers/monitor.ico"));
        test::ClickCancel(d);
    });
}

// An icon of the author's own, outside the library, stays through an OK that chose none (the
// installation option changed only); choosing a library icon replaces it.
TEST_F(IconDialogTest, AnIconOutsideTheLibraryIsKeptUnlessAnotherIsChosen) {
    const std::string own =
        dir.Write("mine/own.ico", test::ReadWholeFile(dir.File("icons/Books/open_book.ico")));
    document.project().iconFile = own;
    ASSERT_TRUE(RunDriven(SettingsArea::Icon, document, context, [&](QDialog& d) {
        EXPECT_TRUE(Child<QLabel>(d, "preview")->pixmap().isNull());
        EXPECT_TRUE(Child<QLabel>(d, "keptIcon")->text().contains(QString::fromStdString(own)));
        Child<QComboBox>(d, "installOption")->setCurrentIndex(2);
        ClickOk(d);
    }));
    EXPECT_EQ(document.project().iconFile, own);
    EXPECT_EQ(document.project().installOption, -2);
    ASSERT_TRUE(RunDriven(SettingsArea::Icon, document, context, [&](QDialog& d) {
        Child<QListWidget>(d, "icons")->setCurrentRow(0);
        EXPECT_FALSE(Child<QLabel>(d, "keptIcon")->isVisible());
        ClickOk(d);
    }));
    EXPECT_EQ(document.project().iconFile, dir.File("icons/Books/idr_main.ico"));
}

TEST_F(IconDialogTest, CancelKeepsTheIcon) {
    const std::string before = document.project().iconFile;
    EXPECT_FALSE(RunDriven(SettingsArea::Icon, document, context, [](QDialog& d) {
        Child<QListWidget>(d, "icons")->setCurrentRow(0);
        test::ClickCancel(d);
    }));
    EXPECT_EQ(document.project().iconFile, before);
    EXPECT_FALSE(document.IsModified());
}

// Stand-in extensions: the answer to NBX_IsRuntime is in the path.
ExtensionInfo StandIn(const std::string& path, const std::string& name) {
    ExtensionInfo info;
    info.path = path;
    info.name = name;
    info.version = "1.0";
    info.exports.isRuntime = [](void*, NBX_HostGetFuncProc, void*, int32_t, int32_t) -> int32_t {
        return 1;
    };
    return info;
}

TEST(AddInsDialogTest, RowsButtonsAndOk) {
    ExtensionRegistry registry;
    registry.Store(StandIn("/ext/libfirst.so", "First"));
    registry.Store(StandIn("/ext/libsecond.so", "Second"));
    CTamselDoc document;
    test::FillNonDefaultProject(document.project());
    document.project().extensions = {"/ext/libsecond.so", "/gone/libold.so"};
    test::RecordingPrompter prompter;
    app::SettingsDialogContext context;
    context.prompter = &prompter;
    context.extensions = &registry;

    const bool confirmed = RunDriven(SettingsArea::AddIns, document, context, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Edit Add-Ins");
        EXPECT_EQ(Child<QLineEdit>(d, "onStart")->text(), "start()");  // trimmed
        auto* list = Child<QTreeWidget>(d, "extensions");
        EXPECT_TRUE(list->isColumnHidden(0));
        EXPECT_TRUE(list->isColumnHidden(1));
        EXPECT_EQ(list->headerItem()->text(2), "Load");
        ASSERT_EQ(list->topLevelItemCount(), 3);
        EXPECT_EQ(list->topLevelItem(0)->text(2), "");
        EXPECT_EQ(list->topLevelItem(1)->text(2), "Load");
        EXPECT_EQ(list->topLevelItem(2)->text(2), "Error");
        EXPECT_EQ(list->topLevelItem(2)->text(3), "libold.so could not be found");
        auto* add = Child<QPushButton>(d, "add");
        auto* remove = Child<QPushButton>(d, "remove");
        auto* info = Child<QPushButton>(d, "info");
        EXPECT_FALSE(add->isEnabled());  // nothing selected
        EXPECT_FALSE(info->isEnabled());
        test::SaveScreenshot(d, "add_ins");
        list->setCurrentItem(list->topLevelItem(2));
        EXPECT_FALSE(add->isEnabled());
        EXPECT_FALSE(remove->isEnabled());
        EXPECT_FALSE(info->isEnabled());
        list->setCurrentItem(list->topLevelItem(0));
        EXPECT_TRUE(add->isEnabled());
        EXPECT_FALSE(remove->isEnabled());
        add->click();
        EXPECT_EQ(list->topLevelItem(0)->text(2), "Load");
        EXPECT_TRUE(remove->isEnabled());
        info->click();  // the stand-ins have no dialog of their own: the compiler's box
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0],
                  "Module:\nlibfirst.so\n\nDescription:\nFirst\n\nVersion:\n1.0");
        list->setCurrentItem(list->topLevelItem(1));
        remove->click();
        EXPECT_EQ(list->topLevelItem(1)->text(2), "");
        Child<QLineEdit>(d, "onExit")->setText("  bye() ");
        prompter.messages.clear();
        ClickOk(d);
    });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(
        prompter.messages,
        std::vector<std::string>{"Those extensions which could not be found have been removed."});
    EXPECT_EQ(document.project().extensions, std::vector<std::string>{"/ext/libfirst.so"});
    EXPECT_EQ(document.project().onExit, "bye()");
    EXPECT_TRUE(document.IsModified());

    // Cancel keeps everything, the missing extension included.
    document.project().extensions = {"/gone/libold.so"};
    document.SetModifiedFlag(false);
    EXPECT_FALSE(RunDriven(SettingsArea::AddIns, document, context,
                           [](QDialog& d) { test::ClickCancel(d); }));
    EXPECT_EQ(document.project().extensions, std::vector<std::string>{"/gone/libold.so"});
    EXPECT_FALSE(document.IsModified());
}

}  // namespace
}  // namespace nbx
