#pragma once
// Names and values from a file, made safe to print on a terminal: a control character
// (C0, DEL, or C1 written in UTF-8) could otherwise move the cursor, retitle the window or
// hide what came before, a direction character (U+202A..U+202E, U+2066..U+2069) could turn
// "report\u202Efdp.sh" into what reads as "reporths.pdf", and an invisible one (a zero-width
// space, a line separator) could hide a difference or break a line.

#include <cstdint>
#include <string>
#include <string_view>

namespace nbx {

enum class LineBreaks {
    Escape,  // a name or value: a line break is written as \n, so it cannot fake a line
    Keep,    // a message of several lines: \n and \t stay, every other control is shown
};

// True for a C1 control and for the characters that draw nothing of their own but can move,
// hide or reorder what surrounds them: direction marks, embeddings, overrides and isolates,
// zero-width characters, line and paragraph separators.
bool IsHiddenCharacter(std::uint32_t codePoint);

// text with every control and hidden character written as an escape: \n, \r, \t, else
// \xHH for a byte and \uHHHH for a C1 or direction character in UTF-8. Everything else,
// bytes that are not UTF-8 included, is kept as it is.
std::string WithVisibleControls(std::string_view text, LineBreaks lineBreaks = LineBreaks::Escape);

// JSON text as a serializer writes it (C0 characters already escaped inside its strings),
// with DEL, C1 and direction characters written as \u escapes too: a JSON reader reads the
// same values back, and a terminal shows them instead of obeying them.
std::string JsonWithVisibleControls(std::string_view json);

}  // namespace nbx
