#pragma once
// A small sailing book, built the way the compiler builds one, opened in the reader's
// window. Tests change settings, pages or variables before Open.

#include <QAction>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "eview/ReaderWindow.h"
#include "format/BuildSettings.h"
#include "reader/ReaderBook.h"
#include "support/RecordingPrompter.h"
#include "support/TestBook.h"

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace nbx::test {

inline const std::string kProgramDir = NBX_PROGRAM_DIR;

class ReaderFixture : public ::testing::Test {
protected:
    ReaderFixture();

    // Writes the book to bookPath and opens it in a window (not shown). False on failure,
    // with the reason added to the test's failures.
    bool Open();
    void Close();

    QString PageText() const;
    QString Source() const;
    QAction* Action(const char* name) const;
    // The directory position of a page by name.
    long Entry(const std::string& name) const;
    // Lets the event loop run until the search index is built (or 10 seconds pass).
    void WaitForSearch();
    // Adds pages enough that making the search index takes many turns of the event loop.
    void AddFillerPages();
    // Starts the e-book program at path offscreen, with env added to the environment.
    static void StartBookProgram(QProcess& process, const std::string& path,
                                 const QProcessEnvironment& env = {});
    // Runs the e-book program at path offscreen; its exit code, or -1 when it crashed or did
    // not end within 30 seconds. errors: what it wrote to stderr.
    static int RunBookProgram(const std::string& path, QString& errors);

    TempDir dir;
    BuildSettings settings;
    std::vector<TestBookFile> pages;
    std::vector<ArchiveVariable> variables;
    TestBookSplash splash;
    std::string language = "English";
    std::string languageBytes;  // when not empty, the book's language file instead
    std::string bookPath;
    reader::ReaderBook book;
    RecordingPrompter prompter;
    std::vector<QUrl> opened;  // addresses handed to the desktop
    bool openerWorks = true;
    std::unique_ptr<eview::ReaderWindow> window;
};

// A PNG picture of a boat, for pages.
std::string BoatPicture();

}  // namespace nbx::test
