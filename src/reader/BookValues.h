#pragma once
// What "[={Name}]" stands for in a page: a variable of the book, or one of the names the
// reader supplies itself. The book's variables come first (no variable may take a reserved
// name, so the two never meet); kinds 1 and 3 are plain text, turned into HTML here.
//
// The reserved names on this system:
//   title publisher copyright author authoremail authorurl   the book's information, as HTML
//   compileyear ... compilesecond   when the book was built; nowyear ... nowsecond  now
//       (year four digits, the others two)
//   quote ' doublequote " linefeed return tab bracel { bracer }   the characters
//   screenwidth screenheight clientwidth clientheight windowwidth windowheight windowx
//       windowy   pixels, from the window
//   ebook   the e-book program's full path;  app   its folder;  exename   its file name;
//   ebookurl   the file: address of the e-book;  commandline   its arguments;
//   tmp   the temporary folder;  win "/usr" and sys "/usr/bin", the system's own folders;
//   windrive sysdrive tmpdrive appdrive ebookdrive   empty: paths here have no drive;
//   p   the name of the page shown;  user   the login name;
//   compilerurl   the compiler's web site;  compilerversion   the format version of the book.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/ArchiveVariable.h"
#include "format/BuildSettings.h"
#include "platform/Clock.h"

namespace nbx::reader {

// The run-time facts behind the reserved names; the window fills in what it knows.
struct ReaderContext {
    std::string ebookPath;
    std::string commandLine;
    std::string pageName;
    std::string userName;
    std::string tempFolder;
    platform::LocalTime now;
    int screenWidth = 0;
    int screenHeight = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    int windowX = 0;
    int windowY = 0;
};

// The context of the running program: the e-book's path, the arguments, the login name,
// the temporary folder and the time now. Metrics and the page are left 0 and empty.
ReaderContext ProcessContext(const std::string& ebookPath, const std::vector<std::string>& args);

// The value of a reserved name, or nothing when name is not one.
std::optional<std::string> ReservedValue(std::string_view name, const BuildSettings& settings,
                                         const ReaderContext& context);

// The value of name in a page: the first variable of that name (converted to HTML for
// kinds 1 and 3), else the reserved value, else nothing (the text is left as it stands).
std::optional<std::string> LookupBookValue(std::string_view name,
                                           const std::vector<ArchiveVariable>& variables,
                                           const BuildSettings& settings,
                                           const ReaderContext& context);

// An arguments list as one line: joined by blanks, an argument holding a blank or nothing
// quoted.
std::string JoinCommandLine(const std::vector<std::string>& args);

}  // namespace nbx::reader
