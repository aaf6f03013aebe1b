#pragma once
// Starting programs and opening documents or web addresses, each with its own failure
// messages. Results use the small numbers that the messages are keyed on: above 31 (program)
// or 32 (document) is success; 0 out of resources, 2 file not found, 3 path not found,
// 11 bad format, 31 no associated application, and so on.

#include <functional>
#include <string>

namespace nbx {

class Prompter;

enum class ShowState { Normal, Maximized };

// What starting a program or opening a document came to: the small number its messages are
// keyed on. A program has started when the number is above 31, a document has opened when it
// is above 32 (32 is a document's "library not found").
struct LaunchResult {
    int code = 0;
    bool ProgramStarted() const { return code > 31; }
    bool DocumentOpened() const { return code > 32; }
};

// A program started maximised finds this variable set to "1" in its environment (the show
// state a window program takes for its first window).
inline constexpr const char* kShowMaximizedVariable = "NBX_SHOW_MAXIMIZED";
// For a window program at its start: whether it was asked to show maximised. The variable is
// removed, so programs it starts in turn do not inherit the request.
bool TakeShowMaximizedRequest();

// Starts `commandLine` (the full path of a program, run without arguments). On failure shows
// the message for the result and returns false.
bool LaunchProgram(const std::string& commandLine, ShowState show, Prompter& prompter);

// Starts a command line of a program and its arguments (see CommandLine.h: a path with
// blanks is given in double quotes). On failure shows the message for the result, which
// names the whole command line, and returns false.
bool LaunchCommandLine(const std::string& commandLine, ShowState show, Prompter& prompter);

// The message LaunchProgram shows for a failed start with `result` (0..31).
std::string ProgramLaunchMessage(const std::string& commandLine, int result);

// Starts the program; the launch result (33 on success). Every program started here runs on
// its own: none is left a zombie of this process, however long it runs.
LaunchResult StartProgram(const std::string& commandLine, ShowState show = ShowState::Normal);
// Starts a command line's program with its arguments; the launch result.
LaunchResult StartCommandLine(const std::string& commandLine, ShowState show = ShowState::Normal);

// Opens a document or web address with the desktop's handler. On failure shows the web-page
// message (with the reason, when the result has one) and returns false.
bool LaunchDocument(const std::string& target, Prompter& prompter);

// The message LaunchDocument shows for a failed open with `result` (0..32).
std::string DocumentLaunchMessage(int result);

// How documents are opened: the default hands them to the desktop's handler (xdg-open; the
// shell's "open" on Windows). Tests and the window programs replace it (the windows use their
// toolkit's own). Returns a launch result.
using DocumentOpener = std::function<int(const std::string& target)>;
void SetDocumentOpener(DocumentOpener opener);

}  // namespace nbx
