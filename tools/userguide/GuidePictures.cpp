// nbx_guide_pictures OUT_DIR WORK_DIR: the pictures of the user guide, taken at build time
// from the real compiler window (offscreen) over a small book that it writes into WORK_DIR:
// the main window's tabs, the All Files menu and some dialogs, as PNG files in OUT_DIR. Exit
// code 0 when every picture was saved.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QTimer>

#include <cstdio>
#include <string>

#include "app/CMainFrame.h"
#include "appmodel/LinkOrderCommand.h"
#include "common/Prompter.h"
#include "platform/AtomicFileWriter.h"
#include "project/CTamselDoc.h"
#include "project/SourceFolderScan.h"

namespace {

using nbx::MainTab;
using nbx::app::CMainFrame;

int failures = 0;

// Answers every question with its default and tells each message on stderr, so that a
// command that refused to open its dialog says why.
class TellingPrompter final : public nbx::Prompter {
public:
    void Show(std::string_view text, nbx::MessageIcon) override {
        std::fprintf(stderr, "nbx_guide_pictures: message: %.*s\n", static_cast<int>(text.size()),
                     text.data());
    }
    nbx::Answer Ask(std::string_view text, nbx::Buttons, nbx::Answer defaultAnswer,
                    nbx::MessageIcon) override {
        Show(text, nbx::MessageIcon::Question);
        return defaultAnswer;
    }
};

void Save(QWidget* widget, const QString& path) {
    QApplication::processEvents();
    if (!widget->grab().save(path)) {
        std::fprintf(stderr, "nbx_guide_pictures: could not save %s\n", qPrintable(path));
        ++failures;
    }
}

bool Write(const std::string& path, const std::string& text) {
    QDir().mkpath(QString::fromStdString(path).section('/', 0, -2));
    int error = 0;
    return nbx::platform::WriteFileAtomically(path, text, error);
}

std::string Page(const std::string& title, const std::string& next, const std::string& body) {
    return "<html><head><title>" + title + "</title>" +
           (next.empty() ? "" : "<link rel=\"next\" href=\"" + next + "\">") + "</head><body>" +
           body + "</body></html>";
}

// A small documentation tree: a contents page, chapters in a folder, pictures in another.
std::string WriteBook(const std::string& folder) {
    const std::string pages = folder + "/pages";
    const bool ok =
        Write(pages + "/index.html", Page("Knots &amp; Hitches", "chapters/bends.html",
                                          "<a href=\"chapters/bends.html\">Bends</a> <a "
                                          "href=\"chapters/hitches.html\">Hitches</a>")) &&
        Write(pages + "/chapters/bends.html",
              Page("1. Bends", "sheet-bend.html", "<a href=\"sheet-bend.html\">Sheet bend</a>")) &&
        Write(pages + "/chapters/sheet-bend.html",
              Page("1.1 The sheet bend", "hitches.html", "<img src=\"../images/bend.gif\">")) &&
        Write(pages + "/chapters/hitches.html",
              Page("2. Hitches", "clove-hitch.html", "<a href=\"clove-hitch.html\">Clove</a>")) &&
        Write(pages + "/chapters/clove-hitch.html", Page("2.1 The clove hitch", "", "")) &&
        Write(pages + "/images/bend.gif", "GIF89a") &&
        Write(pages + "/style/book.css", "body { font-family: serif }");
    if (!ok) {
        std::fprintf(stderr, "nbx_guide_pictures: could not write the book in %s\n",
                     folder.c_str());
        ++failures;
    }
    nbx::SilentPrompter silent;
    nbx::CTamselDoc doc;
    nbx::Project& p = doc.project();
    p.title = "Knots & Hitches";
    p.author = "A. Sailor";
    p.publisher = "Rope Press";
    p.copyright = "Copyright (C) 2026, A. Sailor";
    p.authorEmail = "sailor@example.org";
    p.splashBitmap.clear();
    p.outputExe = folder + "/out/knots";
    p.includeSubFolders = 1;
    nbx::Variable reseller;
    reseller.name = "Reseller";
    reseller.description = "Your name, as the book shows it";
    reseller.value = "A. Sailor";
    p.variables.push_back(reseller);
    nbx::ScanChosenFolder(p, pages, silent);
    nbx::OrderFilesByLinks(p);
    const std::string project = folder + "/knots.nxp";
    if (!doc.OnSaveDocument(project, silent)) {
        ++failures;
    }
    return project;
}

// Triggers action and saves the modal dialog it opens, which is then cancelled.
void SaveDialog(CMainFrame& frame, const char* action, const QString& path) {
    bool saved = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (saved || modal == nullptr) {
            return;
        }
        saved = true;
        Save(modal, path);
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
    });
    timer.start(20);
    frame.Action(action)->trigger();
    timer.stop();
    if (!saved) {
        std::fprintf(stderr, "nbx_guide_pictures: %s opened no dialog\n", action);
        ++failures;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "Usage: nbx_guide_pictures OUT_DIR WORK_DIR\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    const std::string project = WriteBook(argv[2]);

    TellingPrompter telling;
    CMainFrame frame(&telling);
    frame.resize(900, 420);
    if (!frame.OpenDocument(project)) {
        std::fprintf(stderr, "nbx_guide_pictures: could not open %s\n", project.c_str());
        return 1;
    }
    frame.show();
    QApplication::processEvents();

    const struct {
        MainTab tab;
        const char* file;
    } tabs[] = {
        {MainTab::EBookInfo, "tab-ebook-info.png"},         {MainTab::Files, "tab-files.png"},
        {MainTab::Variables, "tab-variables.png"},          {MainTab::Output, "tab-output.png"},
        {MainTab::UserInterface, "tab-user-interface.png"},
    };
    for (const auto& t : tabs) {
        frame.view()->ShowTab(t.tab);
        frame.view()->SelectRow(t.tab, 1);
        Save(&frame, out.filePath(t.file));
    }

    frame.view()->ShowTab(MainTab::Files);
    if (QMenu* allFiles = frame.findChild<QMenu*>("menuAllFiles")) {
        allFiles->popup(QPoint(0, 0));
        Save(allFiles, out.filePath("menu-all-files.png"));
        allFiles->hide();
    } else {
        ++failures;
    }
    frame.view()->SelectRow(MainTab::Files, 2);
    SaveDialog(frame, "actionFileProperties", out.filePath("dialog-file-properties.png"));
    SaveDialog(frame, "actionEditEBookInfo", out.filePath("dialog-ebook-info.png"));
    SaveDialog(frame, "actionEditOutput", out.filePath("dialog-output.png"));
    frame.document().SetModifiedFlag(false);
    return failures == 0 ? 0 : 1;
}
