#pragma once
// What the reader asks before anything leaves it: a program the book wants run, an entry of
// the book handed to the desktop's program for its type, an address handed to the desktop.
// The words and the buttons are the reader's own, never the book's language file, so a book
// cannot word the question as something else ("Press Continue to open chapter 1"); the
// question names exactly what would be started or opened.

#include <string>
#include <string_view>

namespace nbx::reader {

enum class LeaveKind { RunProgram, OpenEntry, OpenAddress };

struct LeaveQuestion {
    std::string text;
    std::string proceed;  // the button that lets it go; never the default
    std::string stay;     // the button that keeps it in
};

// The question for kind about what: a program's path, an entry's name or an address.
LeaveQuestion AskBeforeLeaving(LeaveKind kind, std::string_view what);

// The message when a page links to a file of this computer, which the reader never opens.
std::string LocalFileRefusedMessage(std::string_view address);

// A name from a book made fit to show inside the reader's own words: control characters
// (line breaks that could fake a new paragraph) and the marks that reverse the direction of
// text become '?', text that is not UTF-8 keeps its bytes as '?', and more than
// kShownNameLimit characters are cut with "...".
inline constexpr std::size_t kShownNameLimit = 300;
std::string ShownName(std::string_view name);

}  // namespace nbx::reader
