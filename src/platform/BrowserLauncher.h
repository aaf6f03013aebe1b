#pragma once
// Opens the reader's address in the reader's own browser: $BROWSER when set, else a
// Chromium-family browser found on the PATH, else xdg-open. A Chromium-family browser is
// started in app mode, so the book gets a window of its own with the size it asks for.

#include <string>
#include <vector>

namespace nbx::platform {

struct BrowserWindow {
    int width = 0;  // pixels; 0 leaves the size to the browser
    int height = 0;
    bool maximized = false;
};

// The command line that opens url. browserVariable is $BROWSER (a colon-separated list of
// commands, each of which may hold "%s" for the address; the first is used); path is $PATH.
// Only Chromium-family browsers get app-mode and window-size arguments.
std::vector<std::string> BrowserCommand(const std::string& url, const BrowserWindow& window,
                                        const std::string& browserVariable,
                                        const std::string& path);

// True for the names of Chromium-family browsers ("chromium", "google-chrome", ...), by the
// command's file name.
bool IsChromiumFamily(const std::string& command);

// Opens a file with the program the desktop has for its kind (xdg-open; the shell's "open"
// on Windows), without waiting for it. False when nothing could be started.
bool OpenWithDesktop(const std::string& path);

// Starts command detached (the reader does not wait for the browser, nor leaves it a
// zombie). False when it could not be started.
bool StartDetached(const std::vector<std::string>& command);

}  // namespace nbx::platform
