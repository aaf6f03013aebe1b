#include "reader/ServedReader.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "common/VisibleText.h"
#include "platform/LaunchFile.h"
#include "platform/LoopbackServer.h"
#include "platform/RandomToken.h"
#include "platform/TempFiles.h"
#include "project/DisplayNames.h"
#include "reader/BookServer.h"

namespace nbx::reader {

std::string BookOpenFailureMessage(const std::string& path, const std::string& why) {
    return "This e-book can't be opened: its contents are missing or damaged.\n\n"
           "Please get a fresh copy from where you obtained it.\n\n"
           "File: " +
           path + "\nDetails: " + why;
}

platform::BrowserWindow BrowserWindowFor(const BuildSettings& settings) {
    platform::BrowserWindow window;
    const std::int32_t maximized = StoredCode(WindowSize::Maximized);
    if (settings.initialWidth == maximized || settings.initialHeight == maximized) {
        window.maximized = true;
    } else if (settings.initialWidth >= 100 && settings.initialHeight >= 100) {
        window.width = std::min(settings.initialWidth, 2000);
        window.height = std::min(settings.initialHeight, 2000);
    } else {
        window.width = 1024;
        window.height = 768;
    }
    return window;
}

namespace {

// "--help" and "--version" alone: what a console user expects of any program, answered
// without starting anything.
bool AnswersTheConsole(const ReaderBook& book, const std::vector<std::string>& args,
                       std::FILE* out) {
    if (args.size() != 1 || (args[0] != "--help" && args[0] != "--version")) {
        return false;
    }
    const BuildSettings& s = book.settings();
    const std::string name = std::filesystem::path(book.path()).filename().string();
    const std::string title = WithVisibleControls(s.title.empty() ? name : s.title);
    if (args[0] == "--version") {
        std::fprintf(out, "%s\nE-book reader %s", title.c_str(), NBX_VERSION_TEXT);
        if (s.buildYear > 0) {
            std::fprintf(out, ", built %04d-%02d-%02d", s.buildYear, s.buildMonth, s.buildDay);
        }
        std::fprintf(out, "\n");
        return true;
    }
    std::fprintf(out,
                 "Usage: %s [--help | --version]\n\n"
                 "Opens the e-book \"%s\" in your web browser: the book serves itself on\n"
                 "127.0.0.1 to this user only, prints the page that opens it, and ends soon\n"
                 "after its window is closed.\n\n"
                 "  --help     show this text and end\n"
                 "  --version  show the e-book's title and the reader's version, and end\n\n"
                 "$BROWSER names the browser to use; without it, a Chromium-family browser\n"
                 "on the PATH opens the book in a window of its own, else xdg-open.\n",
                 WithVisibleControls(name).c_str(), title.c_str());
    return true;
}

}  // namespace

int RunServedReader(const std::string& path, const std::vector<std::string>& args, std::FILE* out,
                    std::FILE* err) {
    ReaderBook book;
    if (!book.Open(path)) {
        std::fprintf(err, "%s\n", BookOpenFailureMessage(path, book.error()).c_str());
        return 1;
    }
    if (AnswersTheConsole(book, args, out)) {
        return 0;
    }
    // Carried files that a reader which was killed left for other programs.
    platform::RemoveAbandonedFolders(platform::TempFolder(), kOpenedFolderPrefix);
    platform::LoopbackServer server;
    std::string error;
    BookServerOptions options{platform::RandomToken(),
                              platform::RandomToken(),
                              platform::RandomToken(),
                              0,
                              0,
                              ProcessContext(path, args),
                              platform::ServedLifetimeFrom(std::getenv("NBX_READER_IDLE_MS"))};
    if (options.token.empty() || options.frameKey.empty() || options.launchToken.empty()) {
        std::fprintf(err, "The e-book can't be served: no random numbers to secure it with.\n");
        return 1;
    }
    options.framePort = server.Listen(error);
    options.pagePort = options.framePort == 0 ? 0 : server.Listen(error);
    if (options.pagePort == 0) {
        std::fprintf(err, "The e-book can't be served on this computer: %s\n", error.c_str());
        return 1;
    }
    BookServer pages(book, std::move(options));
    // The browser gets a page in a private file that leads on to the address, so that the
    // address's secret never shows on a command line; the file goes once it has been used.
    platform::LaunchFile launch;
    pages.OnLaunched([&launch] { launch.Remove(); });
    platform::OpenInBrowser(pages.FrameAddress(),
                            book.settings().title.empty() ? "E-book" : book.settings().title,
                            BrowserWindowFor(book.settings()), launch, out, err);
    platform::LoopbackServerOptions serving;
    serving.owner = platform::ThisUser();
    server.Run(pages, serving);
    for (const std::string& folder : pages.openedFolders()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    return 0;
}

}  // namespace nbx::reader
