#pragma once
// The reader's frame: a page of ours around the author's page, with the menu, the toolbar
// (its pictures from the book's toolbar file), the search box, the status bar, the splash
// picture and the pop-up Contents list that the book's settings ask for, every word from the
// book's language file. The author's page runs in an iframe sandboxed without
// allow-same-origin (see BookServer.h for why that keeps it out of the frame).

#include <string>

#include "reader/ReaderBook.h"

namespace nbx::reader {

struct FrameParts {
    std::string base;                   // "/" + token: every address of the frame begins with it
    std::string frameKey;               // the secret of the frame's own requests
    std::string firstPage = "go/home";  // where the page view opens, after base + "/"
};

// The sandbox of the author's page: scripts, forms, pop-ups (which leave the sandbox, so
// that an outside site opened in a new window works as usual), dialogs and downloads; never
// allow-same-origin nor allow-top-navigation.
inline constexpr const char* kPageSandbox =
    "allow-scripts allow-forms allow-popups allow-popups-to-escape-sandbox allow-modals "
    "allow-downloads";

std::string ReaderFrameHtml(const ReaderBook& book, const FrameParts& parts);

// The frame's script and style sheet, the same for every book.
std::string ReaderFrameScript();
std::string ReaderFrameStyle();

}  // namespace nbx::reader
