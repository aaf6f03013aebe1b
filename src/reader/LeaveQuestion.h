#pragma once
// What a book asks to do outside the reader, and the reader's own words for it. A book
// cannot word the question: its language file is not used, and what it names (a file, a
// program) is shown as a subject on a line of its own, with every character that could hide
// or reorder text shown as a visible escape and a long name cut in its middle, so that the
// ending that tells its type stays in view.

#include <string>
#include <string_view>

namespace nbx::reader {

struct LeaveQuestion {
    enum class Kind { RunProgram, OpenFile };
    int id = 0;
    Kind kind = Kind::RunProgram;
    std::string subject;     // the program's path, or the entry's name
    long entry = -1;         // OpenFile: the entry
    bool exitAfter = false;  // the "On Exit" program: the reader ends once it is answered
};

struct QuestionWords {
    std::string lead;     // what is asked, ending in a colon
    std::string subject;  // one line
    std::string advice;
    std::string yes;
    std::string no;
};

// The longest subject shown, in characters.
inline constexpr std::size_t kMaxSubjectCharacters = 72;

QuestionWords WordsFor(const LeaveQuestion& question);

// subject on one line of at most kMaxSubjectCharacters characters: controls, line and
// paragraph separators, direction and invisible formatting characters as "\u202e" (C0 and
// DEL as "\n", "\x1b"), bytes that are not UTF-8 as "\xff"; a longer result cut in its middle
// with "...".
std::string VisibleSubject(std::string_view subject);

}  // namespace nbx::reader
