#pragma once
// The "On Start" and "On Exit" texts of a book. The reader acts on one form only,
// "##RUN('program')", and then only after asking; any other text is ignored.

#include <string>
#include <string_view>

namespace nbx::reader {

// The program that text names, or empty when text is not of that form (white space around
// it is allowed; the program may not be empty or hold a quote). A name that is not an
// absolute path is taken from the e-book's folder; backslashes count as separators. The path
// comes back without "." and ".." parts, naming the program that would really start.
std::string RunCommandProgram(std::string_view text, const std::string& ebookFolder);

}  // namespace nbx::reader
