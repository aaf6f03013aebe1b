#include "platform/LaunchFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/BrowserLauncher.h"
#include "platform/FileRangeCopy.h"
#include "platform/HttpMessage.h"
#include "platform/OpenDescriptor.h"
#include "platform/RandomToken.h"
#include "platform/SystemError.h"
#include "platform/TempFiles.h"

namespace nbx::platform {

namespace {

// Text for an HTML attribute or element.
std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// $XDG_RUNTIME_DIR when it is a folder of this user's that nobody else may enter.
std::string PrivateRuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat st {};
    if (runtime == nullptr || runtime[0] != '/' || ::lstat(runtime, &st) != 0 ||
        !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() || (st.st_mode & 077) != 0) {
        return {};
    }
    return runtime;
}

}  // namespace

std::string LaunchPage(const std::string& address, const std::string& title) {
    const std::string to = Escaped(address);
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
           "<meta name=\"referrer\" content=\"no-referrer\">"
           "<meta http-equiv=\"refresh\" content=\"0;url=" +
           to + "\"><title>" + Escaped(title) + "</title></head><body><p><a href=\"" + to + "\">" +
           Escaped(title) + "</a></p></body></html>\n";
}

bool LaunchFile::Create(const std::string& address, const std::string& title, std::string& error) {
    Remove();
    std::string folder = PrivateRuntimeFolder();
    if (folder.empty()) {
        std::string pattern = TempFolder() + "/nbx-launch-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            error = SystemErrorText(errno);
            return false;
        }
        folder = madeFolder_ = pattern;
    }
    const std::string secret = RandomToken();
    if (secret.empty()) {
        error = "no random numbers";
        Remove();
        return false;
    }
    const std::string path = folder + "/nbx-launch-" + secret.substr(0, 16) + ".html";
    const int fd = OpenDescriptor(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = SystemErrorText(errno);
        Remove();
        return false;
    }
    path_ = path;
    const std::string page = LaunchPage(address, title);
    int writeError = 0;
    if (!WriteFully(fd, page.data(), page.size(), writeError)) {
        error = SystemErrorText(writeError);
        ::close(fd);
        Remove();
        return false;
    }
    if (::close(fd) != 0) {
        error = SystemErrorText(errno);
        Remove();
        return false;
    }
    return true;
}

std::string LaunchFile::Url() const {
    if (path_.empty()) {
        return {};
    }
#ifdef _WIN32
    // "C:\Users\..." is file:///C:/Users/...; the drive's colon stays as it is.
    std::string path = path_;
    std::replace(path.begin(), path.end(), '\\', '/');
    const bool drive = path.size() > 2 && path[1] == ':';
    return "file:///" + (drive ? path.substr(0, 2) + PercentEncode(path.substr(2), true)
                               : PercentEncode(path, true));
#else
    return "file://" + PercentEncode(path_, true);
#endif
}

void LaunchFile::Remove() {
    RemoveFileQuietly(path_);
    path_.clear();
    if (!madeFolder_.empty()) {
#ifdef _WIN32
        ::_wrmdir(Utf8ToWide(madeFolder_).c_str());
#else
        ::rmdir(madeFolder_.c_str());
#endif
        madeFolder_.clear();
    }
}

void OpenInBrowser(const std::string& address, const std::string& title,
                   const BrowserWindow& window, LaunchFile& launch, std::FILE* out,
                   std::FILE* err) {
    const char* browserVariable = std::getenv("BROWSER");
    const char* pathVariable = std::getenv("PATH");
    const std::string browser = browserVariable ? browserVariable : "";
    const std::string path = pathVariable ? pathVariable : "";
    // On Windows the launch file goes to the shell, which opens it in the default browser.
    const std::vector<std::string> probe = BrowserCommand("%s", window, browser, path);
    std::string given = address;
    std::string error;
    if ((probe.empty() || !probe[0].starts_with("/snap/")) &&
        launch.Create(address, title, error)) {
        given = launch.Url();
    }
    std::fprintf(out, "%s\n", given.c_str());
    std::fflush(out);
    if (!StartDetached(BrowserCommand(given, window, browser, path))) {
        std::fprintf(err, "No web browser could be started: open %s in one.\n", given.c_str());
    }
}

}  // namespace nbx::platform
