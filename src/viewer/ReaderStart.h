#pragma once
// The reader from start to end: opens the book, shows the splash screen and the start-up
// message, runs the window and the book's "On Start" program.

#include <QStringList>
#include <string>

namespace nbx::reader {
class ReaderBook;
}

namespace nbx::viewer {

// The message shown when the book at path can't be opened: built-in English, since the
// language file is inside the book. why: the reader's own account of the damage.
std::string OpenFailureMessage(const std::string& path, const std::string& why);

// Opens the book at path. On failure writes the message to stderr and, when there is a
// screen to show it on, in a message box; returns false.
bool OpenBookOrExplain(reader::ReaderBook& book, const std::string& path);

// Runs the reader on the e-book at path with the program's arguments (after its name) until
// its window closes. Returns the exit code: 0, or 1 when the book can't be opened.
// REQUIRES: a QApplication exists.
int RunReader(const std::string& path, const QStringList& arguments);

}  // namespace nbx::viewer
