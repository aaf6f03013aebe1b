#include "reader/ServedReader.h"

#include <algorithm>
#include <cstdlib>

#include "platform/LoopbackServer.h"
#include "platform/RandomToken.h"
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
    if (settings.initialWidth == -1 || settings.initialHeight == -1) {
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

int RunServedReader(const std::string& path, const std::vector<std::string>& args, std::FILE* out,
                    std::FILE* err) {
    ReaderBook book;
    if (!book.Open(path)) {
        std::fprintf(err, "%s\n", BookOpenFailureMessage(path, book.error()).c_str());
        return 1;
    }
    platform::LoopbackServer server;
    std::string error;
    BookServerOptions options{platform::RandomToken(), platform::RandomToken(),
                              platform::RandomToken(), 0, ProcessContext(path, args)};
    if (options.token.empty() || options.frameKey.empty() || options.launchToken.empty()) {
        std::fprintf(err, "The e-book can't be served: no random numbers to secure it with.\n");
        return 1;
    }
    if (!server.Listen(error)) {
        std::fprintf(err, "The e-book can't be served on this computer: %s\n", error.c_str());
        return 1;
    }
    options.port = server.port();
    BookServer pages(book, std::move(options));
    const std::string address = pages.FrameAddress();
    std::fprintf(out, "%s\n", address.c_str());
    std::fflush(out);
    const char* browser = std::getenv("BROWSER");
    const char* pathVariable = std::getenv("PATH");
    const std::vector<std::string> command =
        platform::BrowserCommand(address, BrowserWindowFor(book.settings()), browser ? browser : "",
                                 pathVariable ? pathVariable : "");
    if (!platform::StartDetached(command)) {
        std::fprintf(err, "No web browser could be started: open %s in one.\n", address.c_str());
    }
    const platform::LoopbackServerOptions serving =
        platform::ServingOptions(std::getenv("NBX_READER_IDLE_MS"));
    server.Run([&](const platform::HttpRequest& request) { return pages.Handle(request); },
               [&] { return pages.finished(); }, serving);
    return 0;
}

}  // namespace nbx::reader
