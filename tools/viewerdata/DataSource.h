#pragma once
// The text sources in data/ from which the language files and translat.dat are generated.
//
//   # a comment (a line whose first non-blank character is "#")
//   Name = value          the value is the rest of the line, trimmed of blanks; the escapes
//                         \t \n \r \s (a blank) and \\ stand for their characters
//   Name <<<              the value is every following line up to a line ">>>", joined
//   raw lines             with line feeds (no line feed after the last); nothing in them is
//   >>>                   an escape
//
// Names are letters and digits. Blank lines between entries are ignored.

#include <string>
#include <string_view>
#include <vector>

namespace nbx::datagen {

struct SourceEntry {
    std::string name;
    std::string value;
    int line = 0;  // where the entry starts, from 1
};

// Parses text. Every problem is appended to errors as "<where>:<line>: <what>"; the entries
// that parsed are returned either way. A name given twice is an error.
std::vector<SourceEntry> ParseDataSource(std::string_view text, std::string_view where,
                                         std::vector<std::string>& errors);

}  // namespace nbx::datagen
