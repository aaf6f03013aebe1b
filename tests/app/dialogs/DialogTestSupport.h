#pragma once
// Helpers of the settings dialog tests: a project with non-default settings, running a modal
// dialog while a callback drives it, clicking OK, and screenshots.

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

#include "app/dialogs/SettingsDialogs.h"
#include "guisupport/ClippedLabels.h"
#include "project/CTamselDoc.h"
#include "support/RecordingPrompter.h"

namespace nbx::test {

// A document whose project differs from the defaults in every area the dialogs edit.
inline void FillNonDefaultProject(Project& p) {
    p.title = "Sea Tales";
    p.publisher = "Harbour Press";
    p.copyright = "(C) 2026 Ann Reed";
    p.author = "Ann Reed";
    p.authorEmail = "ann@example.org";
    p.authorUrl = "http://example.org/";
    p.outputExe = "/books/out/sea.exe";
    p.buildRebrander = 1;
    p.rebranderExe = "/books/out/searb.exe";
    p.rebranderTitle = "Rebrand the Sea";
    p.rebranderStartMessage = "Welcome";
    p.rebranderEndMessage = "Done";
    p.startupMessage = "Hello reader";
    p.initialWidth = 640;
    p.initialHeight = 480;
    p.initialPosition = -4;
    p.splashBitmap.clear();
    p.splashExtraDelay = 1500;
    p.splashPercentageBar = 0;
    p.menuShown = 0;
    p.toolbarButtons[kButtonFind] = 1;
    p.toolbarPosition = 2;
    p.aboutPage = 2;
    p.aboutFile = "about.htm";
    p.contentsPage = 1;
    p.searchShowMatch = 0;
    p.colors[kColourBackground] = 0x00336699;
    p.affiliateNickname = "seller";
    p.installOption = -2;
    p.onStart = "  start() ";
    p.files.clear();
    for (const char* path :
         {"/books/src/index.htm", "/books/src/about.htm", "/books/src/pic.gif"}) {
        SourceFile file;
        file.path = path;
        p.files.push_back(file);
    }
    p.SetModified(false);
}

// A document with non-default settings, and a context whose messages go to the recorder.
class SettingsDialogFixture : public ::testing::Test {
protected:
    SettingsDialogFixture() {
        FillNonDefaultProject(document.project());
        context.prompter = &prompter;
    }
    CTamselDoc document;
    RecordingPrompter prompter;
    app::SettingsDialogContext context;
};

// Runs RunSettingsDialog; drive gets the open dialog and should close it (it is cancelled
// if still open afterwards).
inline bool RunDriven(app::SettingsArea area, CTamselDoc& document,
                      const app::SettingsDialogContext& context,
                      const std::function<void(QDialog&)>& drive) {
    bool driven = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            ADD_FAILURE() << "no modal dialog open";
            return;
        }
        driven = true;
        drive(*dialog);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
    const bool confirmed = app::RunSettingsDialog(area, document, context);
    EXPECT_TRUE(driven);
    return confirmed;
}

inline void ClickOk(QWidget& dialog) {
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

inline void ClickCancel(QWidget& dialog) {
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
}

template <typename T>
T* Child(QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

// Saves the widget as <name>.png in the screenshot folder of the build.
inline void SaveScreenshot(QWidget& widget, const char* name) {
    QDir().mkpath(QStringLiteral(NBX_SCREENSHOT_DIR));
    widget.adjustSize();
    const QString path = QStringLiteral(NBX_SCREENSHOT_DIR) + QLatin1Char('/') +
                         QLatin1String(name) + QStringLiteral(".png");
    EXPECT_TRUE(widget.grab().save(path)) << path.toStdString();
    EXPECT_EQ(ClippedLabels(widget), std::vector<std::string>{}) << name;
}

}  // namespace nbx::test
