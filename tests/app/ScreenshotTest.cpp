// Pictures of the compiler window for people to look at: every tab, the variable and file
// dialogs, Build Successful, About and the folder chooser, saved under the build folder; none
// of them may cut a label short.

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

#include "MainFrameFixture.h"
#include "guisupport/ClippedLabels.h"
#include "guisupport/FolderChooserView.h"

namespace nbx::test {
namespace {

void Save(QWidget* widget, const QString& name) {
    QApplication::processEvents();
    const QPixmap picture = widget->grab();
    ASSERT_FALSE(picture.isNull());
    EXPECT_TRUE(picture.save(QDir(NBX_SCREENSHOT_DIR).filePath(name))) << name.toStdString();
    EXPECT_EQ(test::ClippedLabels(*widget), std::vector<std::string>{}) << name.toStdString();
}

using ScreenshotTest = MainFrameFixture;

TEST_F(ScreenshotTest, SavesEveryTabAndTheVariableDialogs) {
    ASSERT_TRUE(QDir().mkpath(NBX_SCREENSHOT_DIR));
    OpenWindow();
    for (std::size_t i = 0; i < kMainTabCount; ++i) {
        const auto tab = static_cast<MainTab>(i);
        frame->view()->ShowTab(tab);
        frame->view()->SelectRow(tab, 0);
        Save(frame.get(), QString("tamsel-tab-%1.png").arg(i + 1));
    }
    WhenModal([&](QWidget* w) {
        Child<QLineEdit>(w, "nameEdit")->setText("edition");
        Save(w, "tamsel-add-variable.png");
        Child<QComboBox>(w, "kindCombo")->setCurrentIndex(5);
        Save(w, "tamsel-add-variable-include.png");
        Child<QPushButton>(w, "stopButton")->click();
    });
    Trigger("actionAddVariable");
    Select(MainTab::Variables, 1);
    WhenModal([&](QWidget* w) {
        Save(w, "tamsel-edit-variable.png");
        Child<QPushButton>(w, "cancelButton")->click();
    });
    Trigger("actionVariableProperties");
    Select(MainTab::Files, 0);
    WhenModal([&](QWidget* w) {
        Save(w, "tamsel-file-properties.png");
        Child<QPushButton>(w, "cancelButton")->click();
    });
    Trigger("actionFileProperties");
    WhenModal([&](QWidget* w) {
        Save(w, "tamsel-build-successful.png");
        Child<QPushButton>(w, "okButton")->click();
    });
    Trigger("actionBuild");
    WhenModal([&](QWidget* w) {
        Save(w, "tamsel-about.png");
        Child<QPushButton>(w, "okButton")->click();
    });
    Trigger("actionAbout");
    // The folder chooser of Scan Folder, its start folder selected and in view.
    WhenModal([&](QWidget* w) {
        const bool inView = test::SelectedFolderSettlesInView(*Child<QTreeView>(w, "folderTree"));
        Save(w, "tamsel-scan-folder.png");
        EXPECT_TRUE(inView);
        Child<QPushButton>(w, "cancelButton")->click();
    });
    Trigger("actionScanFolder");
}

}  // namespace
}  // namespace nbx::test
