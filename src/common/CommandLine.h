#pragma once
// Command lines as one text: a program and its arguments, separated by blanks, where a word
// in double quotes may hold blanks. Inside quotes, \" stands for a double quote and \\ for a
// backslash; anywhere else a backslash is itself.

#include <string>
#include <string_view>
#include <vector>

namespace nbx {

// The words of a command line, quotes removed. An unclosed quote runs to the end.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// word in double quotes, its quotes and backslashes escaped: SplitCommandLine gives it back
// as one word whatever it holds.
std::string QuoteCommandArgument(std::string_view word);

// word as it stands when it needs no quotes (not empty, no blank, quote or backslash), else
// quoted.
std::string CommandWord(std::string_view word);

}  // namespace nbx
