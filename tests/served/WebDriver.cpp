#include "WebDriver.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "HttpClient.h"
#include "platform/RandomToken.h"
#include "support/TempDir.h"

extern char** environ;

namespace nbx::test {

namespace {

using json = nlohmann::json;
using Clock = std::chrono::steady_clock;

const char* const kElementKey = "element-6066-11e4-a52e-4f735466cecf";
constexpr int kAttempts = 5;  // ports tried before giving up
constexpr int kSlackMs = 5000;

std::string Dump(const json& value) {
    return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

// The first of names found on PATH, or "".
std::string FindProgram(std::initializer_list<const char*> names) {
    const char* path = ::getenv("PATH");
    std::stringstream folders(path ? path : "/usr/bin:/bin");
    std::vector<std::string> list;
    for (std::string folder; std::getline(folders, folder, ':');) {
        list.push_back(folder.empty() ? "." : folder);
    }
    for (const char* name : names) {
        for (const std::string& folder : list) {
            const std::string candidate = folder + "/" + name;
            if (::access(candidate.c_str(), X_OK) == 0) {
                return candidate;
            }
        }
    }
    return {};
}

// A loopback port nothing listens on now; 0 when none could be had.
std::uint16_t FreePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return 0;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    std::uint16_t port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
        port = ntohs(address.sin_port);
    }
    ::close(fd);
    return port;
}

bool Base64Decode(const std::string& text, std::string& out) {
    static const std::string kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    unsigned int bits = 0;
    int count = 0;
    for (const char c : text) {
        if (c == '=' || c == '\n' || c == '\r') {
            continue;
        }
        const std::size_t digit = kAlphabet.find(c);
        if (digit == std::string::npos) {
            return false;
        }
        bits = (bits << 6) | static_cast<unsigned int>(digit);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out.push_back(static_cast<char>((bits >> count) & 0xFF));
        }
    }
    return true;
}

// Splits UTF-8 text into its characters; false when it is not UTF-8.
bool SplitCharacters(const std::string& text, std::vector<std::string>& out) {
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80             ? 1
                                   : (lead & 0xE0) == 0xC0 ? 2
                                   : (lead & 0xF0) == 0xE0 ? 3
                                   : (lead & 0xF8) == 0xF0 ? 4
                                                           : 0;
        if (length == 0 || at + length > text.size()) {
            return false;
        }
        for (std::size_t i = 1; i < length; ++i) {
            if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) {
                return false;
            }
        }
        out.push_back(text.substr(at, length));
        at += length;
    }
    return true;
}

// Starts argv[0] in a process group of its own, so that one signal ends it and everything it
// starts; stdin is stdinFd (-1: /dev/null), stdout and stderr append to outPath. No other
// descriptor of the test leaks into it. The pid, or -1 with errno set.
pid_t Spawn(std::vector<std::string> argv, std::vector<std::string> env, int stdinFd,
            const std::string& outPath) {
    std::vector<char*> args;
    for (std::string& a : argv) {
        args.push_back(a.data());
    }
    args.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& e : env) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    if (stdinFd >= 0) {
        posix_spawn_file_actions_adddup2(&files, stdinFd, 0);
    } else {
        posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    }
    posix_spawn_file_actions_addopen(&files, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                     0600);
    posix_spawn_file_actions_adddup2(&files, 1, 2);
    posix_spawn_file_actions_addclosefrom_np(&files, 3);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t pid = -1;
    const int spawned = ::posix_spawn(&pid, args[0], &files, &attributes, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0) {
        errno = spawned;
        return -1;
    }
    return pid;
}

// Kills the live processes whose command line names folder: the browser's crash handlers
// leave the driver's process group (they start sessions of their own).
void KillProcessesNaming(const std::string& folder) {
    std::error_code ec;
    for (std::filesystem::directory_iterator entry("/proc", ec), end; !ec && entry != end;
         entry.increment(ec)) {
        const std::string name = entry->path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        // A process that ends while it is read fails the read (ESRCH): ReadWholeFile then
        // gives what it read instead of throwing.
        const std::string cmdline = ReadWholeFile(entry->path() / "cmdline");
        if (cmdline.find(folder + "/") != std::string::npos) {
            ::kill(static_cast<pid_t>(std::stol(name)), SIGKILL);
        }
    }
}

// The string at object[key], or "" when there is none.
std::string StringAt(const json& object, const char* key) {
    if (!object.is_object()) {
        return {};
    }
    const auto found = object.find(key);
    return found != object.end() && found->is_string() ? found->get<std::string>() : std::string();
}

WebResult Failure(std::string error) {
    return WebResult{std::move(error), nullptr};
}

}  // namespace

namespace WebKey {
const char* F(int number) {
    static const char* const keys[] = {"\uE031", "\uE032", "\uE033", "\uE034", "\uE035", "\uE036",
                                       "\uE037", "\uE038", "\uE039", "\uE03A", "\uE03B", "\uE03C"};
    return number >= 1 && number <= 12 ? keys[number - 1] : "";
}
}  // namespace WebKey

json WebElement::Reference() const {
    return json{{kElementKey, id}};
}

std::string WebResult::String() const {
    return value.is_string() ? value.get<std::string>() : std::string();
}

WebElement WebResult::Element() const {
    return WebElement{StringAt(value, kElementKey)};
}

WebDriver::~WebDriver() {
    Stop();
}

WebResult WebDriver::Start(const WebDriverOptions& options) {
    if (started_) {
        return Failure("this WebDriver was started already");
    }
    started_ = true;
    commandTimeoutMs_ = options.commandTimeoutMs;
    std::error_code ec;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
    std::string pattern = ((ec ? std::filesystem::path("/tmp") : temp) / "nbx-webdriver.XXXXXX");
    if (!::mkdtemp(pattern.data())) {
        return Failure("cannot make a temporary folder for the browser");
    }
    folder_ = pattern;
    profileDir_ = folder_ + "/profile";
    workDir_ = folder_ + "/work";
    for (const char* sub : {"/profile", "/work", "/home"}) {
        std::filesystem::create_directory(folder_ + sub, ec);
    }
    WebResult launched = LaunchDriver(options);
    if (!launched) {
        Stop();
        return launched;
    }
    const std::string chromium = FindProgram({"chromium", "chromium-browser", "google-chrome"});
    if (chromium.empty()) {
        Stop();
        return Failure("no Chromium on PATH: scripts/install-deps.sh installs it");
    }
    // --no-sandbox: the tests run as root, where Chromium's sandbox cannot start. The rest
    // keep a test's browser from reaching out or waiting on anything but the page.
    json args = {
        "--headless=new",
        "--no-sandbox",
        "--disable-gpu",
        "--disable-dev-shm-usage",
        "--no-first-run",
        "--no-default-browser-check",
        "--disable-background-networking",
        "--disable-component-update",
        "--disable-sync",
        "--disable-quic",
        "--user-data-dir=" + profileDir_,
        "--window-size=" + std::to_string(options.width) + "," + std::to_string(options.height)};
    for (const std::string& argument : options.arguments) {
        args.push_back(argument);
    }
    const json capabilities = {
        {"capabilities",
         {{"alwaysMatch",
           {{"browserName", "chrome"},
            {"timeouts",
             {{"implicit", 0},
              {"pageLoad", options.commandTimeoutMs},
              {"script", options.commandTimeoutMs}}},
            {"goog:chromeOptions", {{"binary", chromium}, {"args", args}}}}}}}};
    const HttpAnswer answer =
        Request(port_, "POST", base_ + "/session", Dump(capabilities), options.startTimeoutMs);
    const json reply = json::parse(answer.body, nullptr, false);
    const json value = reply.is_object() ? reply.value("value", json()) : json();
    session_ = StringAt(value, "sessionId");
    if (answer.status != 200 || session_.empty()) {
        const std::string why =
            answer.status == 0
                ? "no answer within " + std::to_string(options.startTimeoutMs) + " ms"
                : answer.body.substr(0, 2000);
        const std::string error = "the browser did not start: " + why + "\n" + LogTail();
        Stop();
        return Failure(error);
    }
    const json caps = value.value("capabilities", json());
    if (caps.is_object() && caps.contains("goog:processID") &&
        caps["goog:processID"].is_number_integer()) {
        browserPid_ = caps["goog:processID"].get<pid_t>();
    }
    if (!options.startUrl.empty()) {
        WebResult opened = Navigate(options.startUrl);
        if (!opened) {
            return opened;
        }
    }
    return WebResult{"", nullptr};
}

WebResult WebDriver::LaunchDriver(const WebDriverOptions& options) {
    const std::string driver = FindProgram({"chromedriver"});
    if (driver.empty()) {
        return Failure("no chromedriver on PATH: scripts/install-deps.sh installs chromium-driver");
    }
    base_ = "/" + platform::RandomToken();
    if (base_.size() < 2) {
        return Failure("no random bytes for the driver's address");
    }
    // The browser writes its crash database and caches below HOME and XDG_*: keep them in
    // the temporary folder, not in the real home of the user running the tests.
    const std::string home = folder_ + "/home";
    std::vector<std::string> variables;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        if (name != "HOME" && name != "XDG_CONFIG_HOME" && name != "XDG_CACHE_HOME" &&
            name != "XDG_DATA_HOME") {
            variables.push_back(entry);
        }
    }
    for (const char* name : {"HOME=", "XDG_CONFIG_HOME=", "XDG_CACHE_HOME=", "XDG_DATA_HOME="}) {
        variables.push_back(name + home);
    }
    const std::string log = folder_ + "/chromedriver.log";
    const auto deadline = Clock::now() + std::chrono::milliseconds(options.startTimeoutMs);
    std::string lastError = "no free port";
    for (int attempt = 0; attempt < kAttempts && Clock::now() < deadline; ++attempt) {
        port_ = FreePort();
        if (port_ == 0) {
            continue;
        }
        const pid_t pid = Spawn({driver, "--port=" + std::to_string(port_), "--url-base=" + base_},
                                variables, -1, log);
        if (pid < 0) {
            return Failure("cannot start " + driver + ": " + std::strerror(errno));
        }
        driverPid_ = pid;
        StartWatchdog();
        // Ready when it answers on its own URL base; it exits at once when the port is taken.
        for (;;) {
            int status = 0;
            if (::waitpid(driverPid_, &status, WNOHANG) == driverPid_) {
                driverPid_ = -1;
                EndWatchdog();
                lastError = "chromedriver exited on port " + std::to_string(port_);
                break;
            }
            const HttpAnswer answer = Request(port_, "GET", base_ + "/status", "", 1000);
            const json reply = json::parse(answer.body, nullptr, false);
            const json value = reply.is_object() ? reply.value("value", json()) : json();
            if (answer.status == 200 && value.is_object() && value.value("ready", json()) == true) {
                return WebResult{"", nullptr};
            }
            if (Clock::now() > deadline) {
                return Failure("chromedriver did not answer within " +
                               std::to_string(options.startTimeoutMs) + " ms\n" + LogTail());
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    return Failure(lastError + "\n" + LogTail());
}

// A bash (dash has no negative pids in kill) that waits for the end of a pipe only this process
// writes to: if the test dies before the destructor runs (a crash, a sanitizer abort, a timeout's
// kill), the pipe closes and the shell ends the driver's group and removes the folder.
void WebDriver::StartWatchdog() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        return;
    }
    const std::vector<std::string> env = {"PATH=/usr/bin:/bin"};
    watchdogPid_ = Spawn(
        {"/bin/bash", "-c", "read _; kill -KILL -- \"-$1\" 2>/dev/null; sleep 1; rm -rf -- \"$2\"",
         "watchdog", std::to_string(driverPid_), folder_},
        env, ends[0], "/dev/null");
    ::close(ends[0]);
    if (watchdogPid_ < 0) {
        ::close(ends[1]);
        return;
    }
    watchdogPipe_ = ends[1];
}

void WebDriver::EndWatchdog() {
    if (watchdogPid_ > 0) {
        ::kill(watchdogPid_, SIGKILL);
        ::waitpid(watchdogPid_, nullptr, 0);
        watchdogPid_ = -1;
    }
    if (watchdogPipe_ >= 0) {
        ::close(watchdogPipe_);
        watchdogPipe_ = -1;
    }
}

void WebDriver::Stop() {
    if (!session_.empty() && driverPid_ > 0) {
        // Lets the browser close its profile before the processes go.
        Request(port_, "DELETE", base_ + "/session/" + session_, "", 10000);
    }
    session_.clear();
    EndWatchdog();
    if (driverPid_ > 0) {
        ::kill(-driverPid_, SIGKILL);
        ::waitpid(driverPid_, nullptr, 0);
        driverPid_ = -1;
    }
    browserPid_ = -1;
    if (!folder_.empty()) {
        KillProcessesNaming(folder_);
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
        folder_.clear();
    }
}

std::string WebDriver::LogTail() const {
    std::ifstream in(folder_ + "/chromedriver.log", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const std::string log = text.str();
    const std::size_t keep = 3000;
    return "chromedriver's log ends: " + (log.size() > keep ? log.substr(log.size() - keep) : log);
}

WebResult WebDriver::Send(const std::string& method, const std::string& path, const json& body,
                          int timeoutMs) {
    if (session_.empty()) {
        return Failure("no browser session (Start failed or was not called)");
    }
    const std::string target = base_ + "/session/" + session_ + path;
    const HttpAnswer answer =
        Request(port_, method, target, body.is_null() ? std::string() : Dump(body), timeoutMs);
    if (answer.status == 0) {
        const bool gone = ::waitpid(driverPid_, nullptr, WNOHANG) == driverPid_;
        if (gone) {
            driverPid_ = -1;
            session_.clear();
        }
        return Failure(method + " " + path + ": " +
                       (gone ? "chromedriver has exited"
                             : "no answer within " + std::to_string(timeoutMs) + " ms"));
    }
    json reply = json::parse(answer.body, nullptr, false);
    if (!reply.is_object() || !reply.contains("value")) {
        return Failure(method + " " + path + ": HTTP " + std::to_string(answer.status) +
                       " with an answer that is not WebDriver JSON: " + answer.body.substr(0, 500));
    }
    json value = std::move(reply["value"]);
    if (answer.status != 200) {
        std::string error = method + " " + path + ": HTTP " + std::to_string(answer.status);
        error += " " + StringAt(value, "error") + ": " + StringAt(value, "message");
        return Failure(error);
    }
    return WebResult{"", std::move(value)};
}

WebResult WebDriver::Command(const std::string& method, const std::string& path, const json& body) {
    return Send(method, path, body, commandTimeoutMs_ + kSlackMs);
}

WebResult WebDriver::Navigate(const std::string& url) {
    return Command("POST", "/url", {{"url", url}});
}

WebResult WebDriver::CurrentUrl() {
    return Command("GET", "/url");
}

WebResult WebDriver::Title() {
    return Command("GET", "/title");
}

WebResult WebDriver::Execute(const std::string& script, const std::vector<json>& args) {
    return Command("POST", "/execute/sync", {{"script", script}, {"args", json(args)}});
}

WebResult WebDriver::ExecuteAsync(const std::string& script, const std::vector<json>& args) {
    return Command("POST", "/execute/async", {{"script", script}, {"args", json(args)}});
}

WebResult WebDriver::WaitFor(const std::string& script, int timeoutMs,
                             const std::vector<json>& args) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        WebResult last = Execute(script, args);
        if (last && last.value == true) {
            return last;
        }
        if (Clock::now() >= deadline) {
            return Failure("waited " + std::to_string(timeoutMs) + " ms for `" + script +
                           "`; it last " +
                           (last ? "returned " + Dump(last.value) : "failed: " + last.error));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

WebResult WebDriver::FindElement(const std::string& css) {
    return Command("POST", "/element", {{"using", "css selector"}, {"value", css}});
}

WebResult WebDriver::Click(const WebElement& element) {
    if (element.id.empty()) {
        return Failure("no element");
    }
    return Command("POST", "/element/" + element.id + "/click", json::object());
}

WebResult WebDriver::Text(const WebElement& element) {
    if (element.id.empty()) {
        return Failure("no element");
    }
    return Command("GET", "/element/" + element.id + "/text");
}

WebResult WebDriver::Rect(const WebElement& element) {
    if (element.id.empty()) {
        return Failure("no element");
    }
    return Command("GET", "/element/" + element.id + "/rect");
}

WebResult WebDriver::SwitchToFrame(const WebElement& frame) {
    if (frame.id.empty()) {
        return Failure("no element");
    }
    return Command("POST", "/frame", {{"id", frame.Reference()}});
}

WebResult WebDriver::SwitchToFrame(int index) {
    return Command("POST", "/frame", {{"id", index}});
}

WebResult WebDriver::SwitchToParentFrame() {
    return Command("POST", "/frame/parent", json::object());
}

WebResult WebDriver::SwitchToTopFrame() {
    return Command("POST", "/frame", {{"id", nullptr}});
}

WebResult WebDriver::Actions(const json& sources) {
    return Command("POST", "/actions", {{"actions", sources}});
}

WebResult WebDriver::PointerActions(const json& steps) {
    return Actions(json::array({{{"type", "pointer"},
                                 {"id", "mouse"},
                                 {"parameters", {{"pointerType", "mouse"}}},
                                 {"actions", steps}}}));
}

WebResult WebDriver::KeyActions(const json& steps) {
    return Actions(json::array({{{"type", "key"}, {"id", "keyboard"}, {"actions", steps}}}));
}

namespace {

json Move(int x, int y) {
    return {{"type", "pointerMove"}, {"duration", 0}, {"origin", "viewport"}, {"x", x}, {"y", y}};
}

json Button(const char* type, int button) {
    return {{"type", type}, {"button", button}};
}

json Key(const char* type, const std::string& key) {
    return {{"type", type}, {"value", key}};
}

}  // namespace

WebResult WebDriver::PointerMove(int x, int y) {
    return PointerActions(json::array({Move(x, y)}));
}

WebResult WebDriver::PointerDown(int button) {
    return PointerActions(json::array({Button("pointerDown", button)}));
}

WebResult WebDriver::PointerUp(int button) {
    return PointerActions(json::array({Button("pointerUp", button)}));
}

WebResult WebDriver::ClickAt(int x, int y, int button) {
    return PointerActions(
        json::array({Move(x, y), Button("pointerDown", button), Button("pointerUp", button)}));
}

WebResult WebDriver::DoubleClickAt(int x, int y) {
    return PointerActions(json::array({Move(x, y), Button("pointerDown", 0), Button("pointerUp", 0),
                                       Button("pointerDown", 0), Button("pointerUp", 0)}));
}

WebResult WebDriver::KeyDown(const std::string& key) {
    return KeyActions(json::array({Key("keyDown", key)}));
}

WebResult WebDriver::KeyUp(const std::string& key) {
    return KeyActions(json::array({Key("keyUp", key)}));
}

WebResult WebDriver::KeyChord(const std::vector<std::string>& keys) {
    json steps = json::array();
    for (const std::string& key : keys) {
        steps.push_back(Key("keyDown", key));
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        steps.push_back(Key("keyUp", *key));
    }
    return KeyActions(steps);
}

WebResult WebDriver::TypeText(const std::string& text) {
    std::vector<std::string> characters;
    if (!SplitCharacters(text, characters)) {
        return Failure("text to type is not UTF-8");
    }
    json steps = json::array();
    for (const std::string& c : characters) {
        steps.push_back(Key("keyDown", c));
        steps.push_back(Key("keyUp", c));
    }
    return KeyActions(steps);
}

WebResult WebDriver::ReleaseActions() {
    return Command("DELETE", "/actions");
}

WebResult WebDriver::WindowHandles() {
    return Command("GET", "/window/handles");
}

WebResult WebDriver::CurrentWindow() {
    return Command("GET", "/window");
}

WebResult WebDriver::SwitchToWindow(const std::string& handle) {
    return Command("POST", "/window", {{"handle", handle}});
}

WebResult WebDriver::NewWindow() {
    return Command("POST", "/window/new", {{"type", "window"}});
}

WebResult WebDriver::CloseWindow() {
    return Command("DELETE", "/window");
}

WebResult WebDriver::Screenshot(const std::string& pngPath) {
    WebResult shot = Command("GET", "/screenshot");
    if (!shot) {
        return shot;
    }
    std::string png;
    if (!shot.value.is_string() || !Base64Decode(shot.value.get<std::string>(), png)) {
        return Failure("the screenshot is not base64 text");
    }
    std::ofstream out(pngPath, std::ios::binary | std::ios::trunc);
    out.write(png.data(), static_cast<std::streamsize>(png.size()));
    out.close();
    if (!out) {
        return Failure("cannot write " + pngPath);
    }
    return WebResult{"", nullptr};
}

WebResult WebDriver::Cdp(const std::string& command, const json& params) {
    return Command("POST", "/goog/cdp/execute", {{"cmd", command}, {"params", params}});
}

}  // namespace nbx::test
