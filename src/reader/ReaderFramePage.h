#pragma once
// The reader's frame: a page of ours around the author's page, with the menu, the toolbar
// (its pictures from the book's toolbar file), the search box, the status bar, the splash
// picture and the pop-up Contents list that the book's settings ask for, every word from the
// book's language file. The author's page runs in an iframe of another origin (see
// BookServer.h for why that keeps it out of the frame).

#include <string>
#include <utility>
#include <vector>

#include "reader/ReaderBook.h"

namespace nbx::reader {

struct FrameParts {
    std::string base;                   // "/" + token: every address begins with it
    std::string frameKey;               // the secret of the frame's own requests
    std::string pageOrigin;             // "http://127.0.0.1:PORT" of the author's pages
    std::string firstPage = "go/home";  // where the page view opens, after base + "/"
};

// The sandbox of the author's page: its own origin (for its storage, cookies and requests
// to the book), scripts, forms, pop-ups (which leave the sandbox, so that an outside site
// opened in a new window works as usual) and dialogs; never downloads nor navigating the
// reader's window.
inline constexpr const char* kPageSandbox =
    "allow-same-origin allow-scripts allow-forms allow-popups allow-popups-to-escape-sandbox "
    "allow-modals";

std::string ReaderFrameHtml(const ReaderBook& book, const FrameParts& parts);

// The reader's words in the frame when the book has ended or is gone.
inline constexpr const char* kBookClosedText =
    "This e-book has been closed.\nTo go on reading, start it again.";

// The keys that the frame's menus show, in PortableAccelerator's names, and the command each
// runs ("Ctrl+PgDown", "next"), in menu order.
std::vector<std::pair<std::string, std::string>> FrameKeys(const ReaderBook& book);

// The helper script of every page: the embedded page.js with its settings filled in (the
// frame's origin, the keys to send on to it, whether links open in a window of their own).
std::string PageHelperScript(const ReaderBook& book, const std::string& frameOrigin);

}  // namespace nbx::reader
