#pragma once
// The browser's way in to a program served on 127.0.0.1, without a secret on its command
// line (which every local user can read): a page in a file that only this user can read,
// which sends the browser on to the address. The browser is given the file's name.

#include <cstdio>
#include <string>

namespace nbx::platform {

class LaunchFile {
public:
    LaunchFile() = default;
    ~LaunchFile() { Remove(); }
    LaunchFile(const LaunchFile&) = delete;
    LaunchFile& operator=(const LaunchFile&) = delete;

    // Writes the page that leads to address into a private folder: $XDG_RUNTIME_DIR when it
    // is this user's alone, else a new folder of mode 0700 in the temporary folder. The file
    // is mode 0600. False with error set.
    bool Create(const std::string& address, const std::string& title, std::string& error);

    // "file:///..." of the page; empty before Create.
    std::string Url() const;

    // Removes the file (and the folder made for it). Safe to call more than once.
    void Remove();

private:
    std::string path_;
    std::string madeFolder_;
};

struct BrowserWindow;

// Opens a served program's first address in the user's browser ($BROWSER, PATH: see
// BrowserCommand), by way of launch when the browser can read the user's private files (a
// browser packaged as a snap cannot; it is handed the address itself, to which only this
// user's processes may connect anyway). Prints what the browser was given to out, so that
// the user can open it by hand, and says on err when no browser started.
void OpenInBrowser(const std::string& address, const std::string& title,
                   const BrowserWindow& window, LaunchFile& launch, std::FILE* out, std::FILE* err);

// The page of a launch file: a refresh to address, and a link to it for a browser that
// does not follow refreshes. address is "http://127.0.0.1:PORT/SECRET/".
std::string LaunchPage(const std::string& address, const std::string& title);

}  // namespace nbx::platform
