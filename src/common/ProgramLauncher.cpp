#include "common/ProgramLauncher.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "common/CommandLine.h"
#include "common/Prompter.h"
#include "platform/BrowserLauncher.h"
#include "platform/DetachedProcess.h"
#include "platform/Paths.h"

namespace nbx {

namespace {

constexpr int kStarted = 33;

// errno of a failed start turned into the launch result the messages know.
int ResultOfErrno(int error, const std::string& path) {
    switch (error) {
        case ENOENT: {
            const std::string folder = platform::FolderPartOfPath(path);
            return folder.empty() || platform::FolderExists(folder) ? 2 : 3;
        }
        case ENOTDIR:
            return 3;
        case ENOEXEC:
#ifdef ELIBBAD
        case ELIBBAD:
#endif
            return 11;
        case ENOMEM:
        case EAGAIN:
            return 0;
        case EACCES:
        case EPERM:
            return 5;
        default:
            return 1;
    }
}

// Starts the program nobody waits for; the launch result.
int StartWords(std::vector<std::string> words, ShowState show) {
    if (words.empty() || words[0].empty()) {
        return 2;
    }
    platform::DetachedOptions options;
    if (show == ShowState::Maximized) {
        options.environment.push_back(std::string(kShowMaximizedVariable) + "=1");
    }
    const platform::DetachedStart started = platform::StartProgramDetached(words, options);
    return started.error == 0 ? kStarted : ResultOfErrno(started.error, words[0]);
}

bool ReportLaunch(LaunchResult result, const std::string& commandLine, Prompter& prompter) {
    if (result.ProgramStarted()) {
        return true;
    }
    prompter.Show(ProgramLaunchMessage(commandLine, result.code), MessageIcon::Warning);
    return false;
}

// The default opener: the desktop's handler. On Windows the shell's "open", which names no
// reason when it fails. Elsewhere xdg-open: it usually hands the target over and exits at
// once; its exit code tells what went wrong. One that is still running after a second has
// started a handler.
int OpenWithDesktopHandler(const std::string& target) {
#ifdef _WIN32
    return platform::OpenWithDesktop(target) ? kStarted : 31;
#else
    platform::DetachedOptions options;
    options.searchPath = true;
    options.waitMs = 1000;
    const platform::DetachedStart started =
        platform::StartProgramDetached({"xdg-open", target}, options);
    if (started.error != 0) {
        return started.error == ENOENT ? 31 : ResultOfErrno(started.error, "");
    }
    if (!started.exited) {
        return kStarted;
    }
    if (!WIFEXITED(started.waitStatus)) {
        return 1;
    }
    switch (WEXITSTATUS(started.waitStatus)) {
        case 0:
            return kStarted;
        case 2:
            return 2;  // the file does not exist
        case 3:
            return 31;  // no tool to open it with
        default:
            return 27;  // the association is incomplete or failed
    }
#endif
}

DocumentOpener& Opener() {
    static DocumentOpener opener = OpenWithDesktopHandler;
    return opener;
}

}  // namespace

LaunchResult StartProgram(const std::string& commandLine, ShowState show) {
    return {StartWords({commandLine}, show)};
}

LaunchResult StartCommandLine(const std::string& commandLine, ShowState show) {
    return {StartWords(SplitCommandLine(commandLine), show)};
}

bool TakeShowMaximizedRequest() {
    const char* value = std::getenv(kShowMaximizedVariable);
    const bool maximized = value != nullptr && std::string_view(value) == "1";
    ::unsetenv(kShowMaximizedVariable);
    return maximized;
}

std::string ProgramLaunchMessage(const std::string& commandLine, int result) {
    switch (result) {
        case 0:
            return "Can't start " + commandLine + ", out of memory or resources.";
        case 2:
            return "Can't start " + commandLine + ", as the file was not found.";
        case 3:
            return "Can't start " + commandLine + ", as the path was not found.";
        case 11:
            return "Can't start " + commandLine +
                   ", the program appears to be corrupted or invalid.";
        default:
            return "Unable to start " + commandLine;
    }
}

bool LaunchProgram(const std::string& commandLine, ShowState show, Prompter& prompter) {
    return ReportLaunch(StartProgram(commandLine, show), commandLine, prompter);
}

bool LaunchCommandLine(const std::string& commandLine, ShowState show, Prompter& prompter) {
    return ReportLaunch(StartCommandLine(commandLine, show), commandLine, prompter);
}

std::string DocumentLaunchMessage(int result) {
    std::string message =
        "The web page could not be opened.\n\nTo use this option, you must :-\n1. Have a "
        "connection to the Internet.\n2. Have a web browser (for example Microsoft Internet "
        "Explorer) installed on your system.\n3. The web browser set to pick up file "
        "associations (this normally occurs as part of the installation process for the web "
        "browser).";
    const char* reason = nullptr;
    switch (result) {
        case 0:
            reason = "The operating system is out of memory or resources.";
            break;
        case 2:
            reason = "The specified file was not found.";
            break;
        case 3:
            reason = "The specified path was not found.";
            break;
        case 5:
            reason = "The operating system denied access to the specified file.";
            break;
        case 8:
            reason = "There was not enough memory to complete the operation.";
            break;
        case 11:
            reason = "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image).";
            break;
        case 26:
            reason = "A sharing violation occurred.";
            break;
        case 27:
            reason = "The filename association is incomplete or invalid.";
            break;
        case 28:
            reason = "The DDE transaction could not be completed because the request timed out.";
            break;
        case 29:
            reason = "The DDE transaction failed.";
            break;
        case 30:
            reason =
                "The DDE transaction could not be completed because other DDE transactions "
                "were being processed.";
            break;
        case 31:
            reason = "There is no application associated with the given filename extension.";
            break;
        case 32:
            reason = "The specified dynamic-link library was not found.";
            break;
        default:
            break;
    }
    if (reason) {
        message += "\n\nThe reason was:-\n";
        message += reason;
    }
    return message;
}

bool LaunchDocument(const std::string& target, Prompter& prompter) {
    const LaunchResult result{Opener()(target)};
    if (result.DocumentOpened()) {
        return true;
    }
    prompter.Show(DocumentLaunchMessage(result.code), MessageIcon::Warning);
    return false;
}

void SetDocumentOpener(DocumentOpener opener) {
    Opener() = opener ? std::move(opener) : DocumentOpener(OpenWithDesktopHandler);
}

}  // namespace nbx
