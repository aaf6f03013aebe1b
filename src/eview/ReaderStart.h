#pragma once
// The reader from start to end: opens the book, shows the splash screen and the start-up
// message, runs the window and the book's "On Start" program.

#include <QStringList>
#include <memory>
#include <string>

namespace nbx {
class Prompter;
}

namespace nbx::reader {
class ReaderBook;
}

namespace nbx::eview {

class ReaderWindow;

// The message shown when the book at path can't be opened: built-in English, since the
// language file is inside the book. why: the reader's own account of the damage.
std::string OpenFailureMessage(const std::string& path, const std::string& why);

// Opens the book at path. On failure writes the message to stderr and, when there is a
// screen to show it on, in a message box; returns false.
bool OpenBookOrExplain(reader::ReaderBook& book, const std::string& path);

// Everything from the splash screen to the "On Start" program: the splash picture (with
// its bar) for at least the book's extra delay while the window is made, then the window,
// the start-up message and the "On Start" question. Returns the window, shown.
std::unique_ptr<ReaderWindow> StartReader(reader::ReaderBook& book, Prompter& prompter,
                                          const QStringList& arguments);

// Runs the reader on the e-book at path with the program's arguments (after its name) until
// its window closes. Returns the exit code: 0, or 1 when the book can't be opened.
// REQUIRES: a QApplication exists.
int RunReader(const std::string& path, const QStringList& arguments);

}  // namespace nbx::eview
