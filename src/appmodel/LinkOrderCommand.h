#pragma once
// Order By Links: the project's pages put in the order their author linked them (see
// reader::OrderPagesByLinks), written as the order keys that Sort and the moves write, so a
// project file keeps its layout.

#include <cstddef>
#include <functional>
#include <string>

namespace nbx {

class Project;
class Prompter;

struct LinkOrderOutcome {
    std::size_t pages = 0;    // HTML files the book holds
    std::size_t reached = 0;  // of them, reached from the start page
    std::string start;        // the start page's name in the book; empty when there is none
};

// The links are read from the files on disk, each up to kLinkScanLimit bytes; a file that
// cannot be read links nowhere. The pages the book holds come first in their new order;
// excluded HTML files after them, by name; other files keep their place after the pages.
// Sets the modified flag when the project has an HTML file.
LinkOrderOutcome OrderFilesByLinks(Project& project);

inline constexpr std::size_t kLinkScanLimit = std::size_t{16} << 20;

// "12 pages put in the order of their links from index.html." and, when some were not
// reached, how many came last.
std::string LinkOrderMessage(const LinkOrderOutcome& outcome);

// The window's command: after a Yes to its question (No is the default) orders the files,
// runs redraw and tells what it did. False, changing nothing, when the project has no HTML
// file (with a message saying so) or the answer is No.
bool RunOrderByLinksCommand(Project& project, Prompter& prompter,
                            const std::function<void()>& redraw = {});

}  // namespace nbx
