#pragma once
// The Rebrander without a window, for resellers who rebrand many books from a script:
//   rebrand --list                 prints the variables that may be changed
//   rebrand --set NAME=VALUE ...   writes new values into the e-book
// Both work on the e-book paired with the Rebrander at rebranderPath (EBookRebrander).

#include <iosfwd>
#include <string>
#include <vector>

namespace nbx {

// True when the arguments (without the program name) ask for the console: any argument that
// begins with "--" (--set, --list, --help or a mistyped option, which then fails), or -h. Any
// other command line opens the window.
bool IsRebrandCommandLine(const std::vector<std::string>& arguments);

// Runs the console command. The listing goes to out, messages to err. Returns the exit
// status: 0 done, 1 the e-book could not be opened or written (it is then unchanged), 2 a
// command line that does not parse (nothing is opened).
int RunRebrandCommand(const std::string& rebranderPath, const std::vector<std::string>& arguments,
                      std::ostream& out, std::ostream& err);

}  // namespace nbx
