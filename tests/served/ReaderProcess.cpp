#include "ReaderProcess.h"

#include "HttpClient.h"
#include "support/TempDir.h"

#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

extern char** environ;

namespace nbx::test {

ReaderProcess::~ReaderProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

bool ReaderProcess::Start(const std::string& path, const std::vector<std::string>& env,
                          bool asBrowser) {
    ::chmod(path.c_str(), 0755);
    int out[2];
    if (::pipe(out) != 0) {
        return false;
    }
    // The additions replace variables of the same name.
    std::vector<std::string> variables;
    for (char** e = environ; *e; ++e) {
        const std::string variable = *e;
        const std::string name = variable.substr(0, variable.find('=') + 1);
        if (std::none_of(env.begin(), env.end(),
                         [&name](const std::string& added) { return added.starts_with(name); })) {
            variables.push_back(variable);
        }
    }
    for (const std::string& e : env) {
        variables.push_back(e);
    }
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(out[1], 1);
        ::close(out[0]);
        ::close(out[1]);
        std::vector<char*> envp;
        for (std::string& v : variables) {
            envp.push_back(v.data());
        }
        envp.push_back(nullptr);
        std::vector<std::string> words = runner;
        words.push_back(path);
        std::vector<char*> argv;
        for (std::string& w : words) {
            argv.push_back(w.data());
        }
        argv.push_back(nullptr);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(out[1]);
    std::string line;
    pollfd p{out[0], POLLIN, 0};
    while (line.find('\n') == std::string::npos && ::poll(&p, 1, 20000) > 0) {
        char c[256];
        const ssize_t n = ::read(out[0], c, sizeof c);
        if (n <= 0) {
            break;
        }
        line.append(c, static_cast<std::size_t>(n));
    }
    ::close(out[0]);
    if (line.find('\n') == std::string::npos) {
        return false;
    }
    printed = line.substr(0, line.find('\n'));
    if (printed.ends_with('\r')) {
        printed.pop_back();  // a Windows program's line end
    }
    address = printed;
    // The browser is handed a private page that leads on to the address.
    if (printed.starts_with("file://")) {
        // A Windows book's page is on its drive C: ("file:///C:/users/...").
        const bool windows = printed.starts_with("file:///C:/") && !driveC.empty();
        const std::string page =
            ReadWholeFile(windows ? driveC + printed.substr(10) : printed.substr(7));
        const std::string mark = "content=\"0;url=";
        const std::size_t at = page.find(mark);
        if (at == std::string::npos) {
            return false;
        }
        const std::size_t start = at + mark.size();
        address = page.substr(start, page.find('"', start) - start);
    }
    const std::string prefix = "http://127.0.0.1:";
    if (address.rfind(prefix, 0) != 0) {
        return false;
    }
    const std::size_t slash = address.find('/', prefix.size());
    port =
        static_cast<std::uint16_t>(std::stoi(address.substr(prefix.size(), slash - prefix.size())));
    token = address.substr(slash + 1, address.size() - slash - 2);
    base = "/" + token;
    if (!asBrowser) {
        return true;  // the browser uses the launch address up
    }
    // A reader hands out a launch address that one visit uses up and leads on to its own.
    const HttpAnswer onwards = Get(port, base + "/");
    if (onwards.status == 303) {
        launchAddress = address;
        base = onwards.Header("location");
        base.pop_back();
        token = base.substr(1);
        address = address.substr(0, slash) + base + "/";
    }
    // A reader's pages have a port of their own, which its frame names.
    pagePort = port;
    const std::string frame = Get(port, base + "/").body;
    const std::string mark = "data-pages=\"http://127.0.0.1:";
    const std::size_t at = frame.find(mark);
    if (at != std::string::npos) {
        pagePort = static_cast<std::uint16_t>(std::stoi(frame.substr(at + mark.size(), 5)));
    }
    return true;
}

int ReaderProcess::WaitExit(int ms) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (pid_ > 0) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
        }
        if (std::chrono::steady_clock::now() > until) {
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

std::size_t ReaderProcess::PeakMemory() const {
    const std::string status = ReadWholeFile("/proc/" + std::to_string(pid_) + "/status");
    const std::size_t at = status.find("VmHWM:");
    return at == std::string::npos ? 0 : std::stoul(status.substr(at + 6)) * 1024;
}

std::string FrameKeyOf(const std::string& framePage) {
    const std::string mark = "data-key=\"";
    const std::size_t at = framePage.find(mark);
    if (at == std::string::npos) {
        return {};
    }
    const std::size_t start = at + mark.size();
    return framePage.substr(start, framePage.find('"', start) - start);
}

}  // namespace nbx::test
