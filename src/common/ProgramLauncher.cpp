#include "common/ProgramLauncher.h"

#ifdef _WIN32
#include <shellapi.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <vector>

#include "common/CommandLine.h"
#include "common/Prompter.h"
#include "platform/Clock.h"
#include "platform/Paths.h"

#ifndef _WIN32
extern char** environ;
#endif

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

bool ReportLaunch(int result, const std::string& commandLine, Prompter& prompter) {
    if (result > 31) {
        return true;
    }
    prompter.Show(ProgramLaunchMessage(commandLine, result), MessageIcon::Warning);
    return false;
}

#ifdef _WIN32
// Windows: the program starts with the command line CreateProcess takes, each word quoted
// the way the C run-time splits it again.
std::wstring QuotedWord(const std::string& word) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : platform::Utf8ToWide(word)) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

int StartWords(std::vector<std::string> words) {
    if (words.empty() || words[0].empty()) {
        return 2;
    }
    std::wstring line;
    for (const std::string& w : words) {
        line += (line.empty() ? L"" : L" ") + QuotedWord(w);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(platform::Utf8ToWide(words[0]).c_str(), line.data(), nullptr, nullptr,
                          FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return ResultOfErrno(platform::ErrnoOf(::GetLastError()), words[0]);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return kStarted;
}

// The default opener: the shell's "open", whose result is already a launch result.
int OpenWithXdg(const std::string& target) {
    const auto result = reinterpret_cast<INT_PTR>(::ShellExecuteW(
        nullptr, L"open", platform::Utf8ToWide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32 ? kStarted : static_cast<int>(result);
}
#else
// Starts words[0] with the words as its arguments.
int Spawn(std::vector<std::string> words, bool searchPath, pid_t& pid) {
    std::vector<char*> argv;
    for (std::string& w : words) {
        argv.push_back(w.data());
    }
    argv.push_back(nullptr);
    return searchPath ? ::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ)
                      : ::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
}

// Starts the program nobody waits for; the launch result.
int StartWords(std::vector<std::string> words) {
    if (words.empty() || words[0].empty()) {
        return 2;
    }
    const std::string program = words[0];
    pid_t pid = 0;
    const int rc = Spawn(std::move(words), false, pid);
    if (rc != 0) {
        return ResultOfErrno(rc, program);
    }
    // A child that ends is reaped here when it already has.
    int status = 0;
    ::waitpid(pid, &status, WNOHANG);
    return kStarted;
}

// The default opener: xdg-open. It usually hands the target over and exits at once; its exit
// code tells what went wrong. One that is still running after a second has started a handler.
int OpenWithXdg(const std::string& target) {
    pid_t pid = 0;
    const int rc = Spawn({"xdg-open", target}, true, pid);
    if (rc != 0) {
        return rc == ENOENT ? 31 : ResultOfErrno(rc, "");
    }
    for (int waited = 0; waited < 1000; waited += 20) {
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            if (!WIFEXITED(status)) {
                return 1;
            }
            switch (WEXITSTATUS(status)) {
                case 0:
                    return kStarted;
                case 2:
                    return 2;  // the file does not exist
                case 3:
                    return 31;  // no tool to open it with
                default:
                    return 27;  // the association is incomplete or failed
            }
        }
        platform::SleepMs(20);
    }
    return kStarted;
}
#endif

DocumentOpener& Opener() {
    static DocumentOpener opener = OpenWithXdg;
    return opener;
}

}  // namespace

int StartProgram(const std::string& commandLine) {
    return StartWords({commandLine});
}

int StartCommandLine(const std::string& commandLine) {
    return StartWords(SplitCommandLine(commandLine));
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

bool LaunchProgram(const std::string& commandLine, ShowState, Prompter& prompter) {
    return ReportLaunch(StartProgram(commandLine), commandLine, prompter);
}

bool LaunchCommandLine(const std::string& commandLine, ShowState, Prompter& prompter) {
    return ReportLaunch(StartCommandLine(commandLine), commandLine, prompter);
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
    const int result = Opener()(target);
    if (result > 32) {
        return true;
    }
    prompter.Show(DocumentLaunchMessage(result), MessageIcon::Warning);
    return false;
}

void SetDocumentOpener(DocumentOpener opener) {
    Opener() = opener ? std::move(opener) : DocumentOpener(OpenWithXdg);
}

}  // namespace nbx
