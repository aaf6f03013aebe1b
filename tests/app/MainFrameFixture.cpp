#include "MainFrameFixture.h"

#include <algorithm>
#include <filesystem>

#include <sys/wait.h>

#include <QAction>
#include <QDialog>

#include "appmodel/CompilerProfile.h"
#include "appmodel/RecentFileList.h"
#include "platform/ConfigFolder.h"
#include "project/CTamselDoc.h"
#include "project/DisplayNames.h"
#include "project/SourceFolderScan.h"
#include "support/RunCommand.h"

namespace nbx::test {

void MainFrameFixture::SetUp() {
    dir.Write("src/index.htm", "<html><head><title>Home</title></head><body>Hi</body></html>");
    dir.Write("src/knots.htm", "<html><head><title>Knots</title></head><body>Reef</body></html>");
    dir.Write("src/pic.gif", "GIF89a tiny");
    std::filesystem::create_directories(dir.File("out"));
    projectPath = WriteProject();
    // Each test starts with an empty recent-file list.
    std::filesystem::remove(platform::ProfileFilePath(kCompilerProfileFile));
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        // A dialog made where the last one was has the same address: the property tells.
        if (!modal || modal->property("nbxTestHandled").toBool()) {
            return;
        }
        if (steps_.empty()) {
            // A dialog no step waits for (a settings dialog, say) is counted and closed, so a
            // test never hangs on it.
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                ++unexpectedDialogs;
                dialog->setProperty("nbxTestHandled", true);
                dialog->reject();
            }
            return;
        }
        modal->setProperty("nbxTestHandled", true);
        auto step = std::move(steps_.front());
        steps_.pop_front();
        step(modal);
    });
    timer_.start(10);
}

void MainFrameFixture::TearDown() {
    timer_.stop();
    EXPECT_TRUE(steps_.empty()) << steps_.size() << " dialog step(s) never ran";
    if (frame) {
        frame->document().SetModifiedFlag(false);
        frame.reset();
    }
}

std::string MainFrameFixture::WriteProject() {
    CTamselDoc doc;
    Project& p = doc.project();
    p.title = "Knots";
    p.publisher = "Rope Press";
    p.copyright = "(c) 2026 A. Sailor";
    p.author = "A. Sailor";
    p.authorEmail = "a@example.org";
    p.installOption = -1;
    p.startupMessage = "Welcome aboard";
    p.splashBitmap.clear();
    p.initialWidth = 640;
    p.initialHeight = 480;
    p.initialPosition = -8;
    p.toolbarPosition = 2;
    p.contentsPage = kSystemPageDisabled;
    p.onStart = "start()";
    p.sourceFolder = dir.File("src");
    p.outputExe = dir.File("out/knots.exe");
    p.variables.push_back({.name = "greeting",
                           .description = "The welcome",
                           .value = "Hello",
                           .orderKey = "",
                           .canRebrand = 1,
                           .kind = 0});
    p.variables.push_back({.name = "footer",
                           .description = "",
                           .value = "<b>bye</b>",
                           .orderKey = "",
                           .canRebrand = 0,
                           .kind = 2});
    RescanSourceFolder(p, true, prompter);
    // The folder lists its files in any order; the book's pages go in name order.
    std::sort(p.files.begin(), p.files.end(),
              [](const SourceFile& a, const SourceFile& b) { return a.path < b.path; });
    for (std::size_t i = 0; i < p.files.size(); ++i) {
        p.files[i].orderKey = p.IsHtmlFile(i) ? OrderKeyForPosition(i) : std::string();
    }
    p.SortFiles();
    const std::string path = dir.File("knots.nxp");
    EXPECT_TRUE(doc.OnSaveDocument(path, prompter));
    return path;
}

void MainFrameFixture::OpenWindow(Prompter* messages) {
    frame = std::make_unique<app::CMainFrame>(messages ? messages : &prompter);
    frame->resize(1000, 560);
    ASSERT_TRUE(frame->OpenDocument(projectPath));
    frame->show();
    QApplication::processEvents();
}

QTreeWidget* MainFrameFixture::List(const char* objectName) const {
    return Child<QTreeWidget>(frame.get(), objectName);
}

Rows MainFrameFixture::ListRows(const char* objectName) const {
    Rows rows;
    QTreeWidget* list = List(objectName);
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        std::vector<std::string> row;
        for (int c = 0; c < list->columnCount(); ++c) {
            row.push_back(list->topLevelItem(i)->text(c).toStdString());
        }
        rows.push_back(row);
    }
    return rows;
}

void MainFrameFixture::Trigger(const char* action) const {
    QAction* a = frame->Action(action);
    ASSERT_NE(a, nullptr) << action;
    a->trigger();
    QApplication::processEvents();
}

void MainFrameFixture::Select(MainTab tab, std::size_t row) const {
    frame->view()->ShowTab(tab);
    frame->view()->SelectRow(tab, row);
    QApplication::processEvents();
}

std::string MainFrameFixture::DriveTamsel(const std::string& script,
                                          const std::vector<std::string>& extra) {
    if (std::system("command -v xvfb-run >/dev/null && command -v xdotool >/dev/null") != 0) {
        ADD_FAILURE() << "xvfb-run and xdotool are needed (scripts/install-deps.sh)";
        return {};
    }
    const std::string config = dir.File("config");
    std::filesystem::create_directories(config);
    std::string command = "LSAN_OPTIONS=suppressions='" + std::string(NBX_LSAN_SUPPRESSIONS) +
                          "' NBX_CONFIG_DIR='" + config + "' timeout 120 xvfb-run -a sh '" +
                          dir.Write("drive.sh", script) + "' '" + std::string(NBX_PROGRAM_DIR) +
                          "/tamsel' '" + projectPath + "' '" + dir.File("tamsel.log") + "'";
    for (const std::string& e : extra) {
        command += " '" + e + "'";
    }
    int status = 0;
    const std::string out = RunCommand(command, status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << out << ReadWholeFile(dir.File("tamsel.log"));
    return out;
}

void MainFrameFixture::WhenModal(std::function<void(QWidget*)> step) {
    steps_.push_back(std::move(step));
}

}  // namespace nbx::test
