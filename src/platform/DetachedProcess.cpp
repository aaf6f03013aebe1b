#include "platform/DetachedProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

extern char** environ;

namespace nbx::platform {

namespace {

// What the processes after the fork tell the caller through the pipe.
struct Report {
    int kind;  // kExecFailed or kEnded
    int value;
};
constexpr int kExecFailed = 1;  // value: errno of the exec
constexpr int kEnded = 2;       // value: the program's wait status

std::vector<char*> Pointers(std::vector<std::string>& words) {
    std::vector<char*> out;
    out.reserve(words.size() + 1);
    for (std::string& w : words) {
        out.push_back(w.data());
    }
    out.push_back(nullptr);
    return out;
}

// The caller's environment with the extra entries in place of those of the same names.
std::vector<std::string> Environment(const std::vector<std::string>& extra) {
    std::vector<std::string> out;
    for (char** e = environ; e != nullptr && *e != nullptr; ++e) {
        const std::string entry(*e);
        const std::string name = entry.substr(0, entry.find('=') + 1);
        bool replaced = false;
        for (const std::string& x : extra) {
            replaced = replaced || x.compare(0, name.size(), name) == 0;
        }
        if (!replaced) {
            out.push_back(entry);
        }
    }
    out.insert(out.end(), extra.begin(), extra.end());
    return out;
}

void Send(int fd, int kind, int value) {
    const Report report{kind, value};
    (void)!::write(fd, &report, sizeof report);
}

// name looked up in the folders of $PATH, as a shell does (a folder of that name is passed
// over); empty when no folder holds a program of that name.
std::string FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string_view rest = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        const std::size_t colon = rest.find(':');
        const std::string folder(rest.substr(0, colon));
        const std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + name;
        struct stat info {};
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        if (colon == std::string_view::npos) {
            return {};
        }
        rest.remove_prefix(colon + 1);
    }
}

// In the middle process: only calls that are safe after a fork of a threaded program (the
// program's path was found before the fork).
[[noreturn]] void RunMiddle(int reportFd, const char* file, char** argv, char** envp,
                            const DetachedOptions& options) {
    ::setsid();
    const pid_t program = ::fork();
    if (program < 0) {
        Send(reportFd, kExecFailed, errno);
        ::_exit(1);
    }
    if (program == 0) {
        ::execve(file, argv, envp);
        Send(reportFd, kExecFailed, errno);
        ::_exit(127);
    }
    for (int waited = 0; waited < options.waitMs; waited += 10) {
        int status = 0;
        if (::waitpid(program, &status, WNOHANG) == program) {
            Send(reportFd, kEnded, status);
            break;
        }
        ::poll(nullptr, 0, 10);
    }
    ::_exit(0);
}

}  // namespace

DetachedStart StartProgramDetached(const std::vector<std::string>& command,
                                   const DetachedOptions& options) {
    DetachedStart result;
    if (command.empty() || command[0].empty()) {
        result.error = ENOENT;
        return result;
    }
    // Everything the processes after the fork need is made before it, the program's path too.
    std::vector<std::string> words = command;
    std::string file = words[0];
    if (options.searchPath && file.find('/') == std::string::npos) {
        file = FindOnPath(file);
        if (file.empty()) {
            result.error = ENOENT;
            return result;
        }
    }
    std::vector<std::string> environment = Environment(options.environment);
    std::vector<char*> argv = Pointers(words);
    std::vector<char*> envp = Pointers(environment);
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        result.error = errno;
        return result;
    }
    const pid_t middle = ::fork();
    if (middle < 0) {
        result.error = errno;
        ::close(report[0]);
        ::close(report[1]);
        return result;
    }
    if (middle == 0) {
        ::close(report[0]);
        RunMiddle(report[1], file.c_str(), argv.data(), envp.data(), options);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    // The pipe ends when the middle process has gone and the program has started (its copy
    // closes on exec) or given up.
    Report r{};
    for (;;) {
        const ssize_t n = ::read(report[0], &r, sizeof r);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n != static_cast<ssize_t>(sizeof r)) {
            break;
        }
        if (r.kind == kExecFailed && result.error == 0) {
            result.error = r.value != 0 ? r.value : ENOEXEC;
        } else if (r.kind == kEnded) {
            result.exited = true;
            result.waitStatus = r.value;
        }
    }
    ::close(report[0]);
    if (result.error != 0) {
        result.exited = false;
    }
    return result;
}

}  // namespace nbx::platform
