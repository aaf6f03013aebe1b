// The WebDriver client against pages these tests serve themselves: scripts, frames, trusted
// pointer and key input, windows, screenshots, DevTools commands, and a clean end.

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <thread>

#include "WebDriver.h"
#include "support/TempDir.h"

namespace nbx::test {
namespace {

using json = nlohmann::json;

// Fixed pages on a loopback port of their own, one thread per connection (the browser
// opens spare connections that it may never use).
class PageServer {
public:
    explicit PageServer(std::map<std::string, std::string> pages) : pages_(std::move(pages)) {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), size);
        ::listen(listener_, 16);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        acceptor_ = std::thread([this] { Accept(); });
    }
    ~PageServer() {
        stop_ = true;
        acceptor_.join();
        std::lock_guard<std::mutex> lock(mutex_);
        for (std::thread& t : connections_) {
            t.join();
        }
        ::close(listener_);
    }
    std::string Url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

private:
    void Accept() {
        while (!stop_) {
            pollfd p{listener_, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0) {
                continue;
            }
            const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0) {
                std::lock_guard<std::mutex> lock(mutex_);
                connections_.emplace_back([this, fd] { Answer(fd); });
            }
        }
    }
    void Answer(int fd) {
        std::string request;
        char buffer[4096];
        pollfd p{fd, POLLIN, 0};
        while (request.find("\r\n\r\n") == std::string::npos && !stop_ && ::poll(&p, 1, 100) >= 0) {
            if (p.revents == 0) {
                continue;
            }
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0) {
                break;
            }
            request.append(buffer, static_cast<std::size_t>(n));
        }
        const std::size_t start = request.find(' ') + 1;
        const std::string path = request.substr(start, request.find(' ', start) - start);
        const auto page = pages_.find(path);
        const std::string body = page == pages_.end() ? "not here" : page->second;
        const std::string answer =
            std::string(page == pages_.end() ? "HTTP/1.1 404 Not Found" : "HTTP/1.1 200 OK") +
            "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
            std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
        (void)!::send(fd, answer.data(), answer.size(), MSG_NOSIGNAL);
        ::close(fd);
    }

    std::map<std::string, std::string> pages_;
    int listener_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread acceptor_;
    std::mutex mutex_;
    std::vector<std::thread> connections_;
};

// Every input event the page and its frame see, in order, as {type, key, ctrl, alt, shift,
// trusted, where}.
const char* const kRecorder = R"(<script>
window.seen = [];
for (const type of ['keydown', 'dblclick', 'click']) {
  addEventListener(type, e => (top.seen || seen).push({type: e.type, key: e.key || '',
      ctrl: e.ctrlKey, alt: e.altKey, shift: e.shiftKey, trusted: e.isTrusted,
      where: location.pathname}), true);
}
</script>)";

const std::map<std::string, std::string> kPages = {
    {"/", std::string("<!doctype html><html><head><title>Lighthouse</title>") + kRecorder +
              R"html(</head><body style="margin:0">
<div id="target" style="position:absolute; left:40px; top:30px; width:120px; height:60px;
     background:#c33">target</div>
<button id="open" style="position:absolute; left:200px; top:30px"
        onclick="window.open('/second', '_blank')">open</button>
<iframe id="frame" src="/inner" style="position:absolute; left:50px; top:150px; width:300px;
        height:200px; border:0"></iframe>
<script>setTimeout(() => { window.later = 'arrived'; }, 300);</script>
</body></html>)html"},
    {"/inner", std::string("<!doctype html><html><head>") + kRecorder +
                   R"(</head><body style="margin:0">
<p id="inner" style="margin:0; position:absolute; left:20px; top:40px; width:100px;
   height:30px; background:#3c3">inside the frame</p></body></html>)"},
    {"/second", "<!doctype html><html><head><title>Second</title></head><body>2</body></html>"},
};

class WebDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        WebDriverOptions options;
        options.startUrl = server.Url("/");
        const WebResult started = driver.Start(options);
        ASSERT_TRUE(started) << started.error;
        // The page and its frame have loaded.
        const WebResult loaded = driver.WaitFor(
            "const f = document.getElementById('frame');"
            "return document.readyState === 'complete' && !!f.contentDocument &&"
            "  f.contentDocument.readyState === 'complete' && !!f.contentWindow.seen;");
        ASSERT_TRUE(loaded) << loaded.error;
    }
    // The events seen so far, and forgets them.
    json TakeSeen() {
        const WebResult seen = driver.Execute("const s = seen; seen = []; return s;");
        EXPECT_TRUE(seen) << seen.error;
        return seen.value;
    }
    // The top-left corner of element in its frame's document.
    std::pair<int, int> Corner(const WebElement& element) {
        const WebResult rect = driver.Rect(element);
        EXPECT_TRUE(rect) << rect.error;
        return {static_cast<int>(rect.value.value("x", 0.0)),
                static_cast<int>(rect.value.value("y", 0.0))};
    }
    // The centre of element, in the top-level viewport when its frame's corner is frameAt.
    std::pair<int, int> Centre(const WebElement& element, std::pair<int, int> frameAt = {}) {
        const WebResult rect = driver.Rect(element);
        EXPECT_TRUE(rect) << rect.error;
        return {frameAt.first + static_cast<int>(rect.value.value("x", 0.0) +
                                                 rect.value.value("width", 0.0) / 2),
                frameAt.second + static_cast<int>(rect.value.value("y", 0.0) +
                                                  rect.value.value("height", 0.0) / 2)};
    }

    PageServer server{kPages};
    WebDriver driver;
};

TEST_F(WebDriverTest, NavigatesRunsScriptsAndFindsElementsInsideAFrame) {
    EXPECT_EQ(driver.Title().String(), "Lighthouse");
    EXPECT_EQ(driver.CurrentUrl().String(), server.Url("/"));
    const WebResult sum = driver.Execute("return arguments[0] + arguments[1].n;", {40, {{"n", 2}}});
    ASSERT_TRUE(sum) << sum.error;
    EXPECT_EQ(sum.value, 42);
    const WebResult later =
        driver.ExecuteAsync("const done = arguments[0]; setTimeout(() => done('called'), 50);");
    EXPECT_EQ(later.String(), "called") << later.error;
    EXPECT_TRUE(driver.WaitFor("return window.later === 'arrived';")) << "the timer's value";
    const WebResult thrown = driver.Execute("throw new Error('broken script');");
    EXPECT_FALSE(thrown);
    EXPECT_NE(thrown.error.find("broken script"), std::string::npos) << thrown.error;
    const WebResult never = driver.WaitFor("return false;", 200);
    EXPECT_NE(never.error.find("returned false"), std::string::npos) << never.error;

    // The paragraph lives only in the frame.
    EXPECT_NE(driver.FindElement("#inner").error.find("no such element"), std::string::npos);
    const WebElement frame = driver.FindElement("#frame").Element();
    ASSERT_FALSE(frame.id.empty());
    ASSERT_TRUE(driver.SwitchToFrame(frame));
    const WebResult inner = driver.FindElement("#inner");
    ASSERT_TRUE(inner) << inner.error;
    EXPECT_EQ(driver.Text(inner.Element()).String(), "inside the frame");
    EXPECT_EQ(driver.Execute("return location.pathname;").String(), "/inner");
    // An element passes into a script and comes back out of one.
    EXPECT_EQ(driver.Execute("return arguments[0].id;", {inner.Element().Reference()}).String(),
              "inner");
    EXPECT_EQ(driver.Execute("return document.body.firstElementChild;").Element().id,
              inner.Element().id);
    ASSERT_TRUE(driver.SwitchToParentFrame());
    EXPECT_EQ(driver.Execute("return location.pathname;").String(), "/");
    ASSERT_TRUE(driver.SwitchToFrame(0));
    EXPECT_EQ(driver.Execute("return location.pathname;").String(), "/inner");
    ASSERT_TRUE(driver.SwitchToTopFrame());
    EXPECT_TRUE(driver.FindElement("#target"));

    ASSERT_TRUE(driver.Navigate(server.Url("/second")));
    EXPECT_EQ(driver.Title().String(), "Second");
    const WebResult missing = driver.Navigate(server.Url("/nowhere"));
    EXPECT_TRUE(missing) << "a 404 page is still a page: " << missing.error;
}

TEST_F(WebDriverTest, PointerAndKeysArriveAsTrustedEvents) {
    // A page's own script can fake the event, but not its trust.
    ASSERT_TRUE(
        driver.Execute("document.getElementById('target').dispatchEvent("
                       "new MouseEvent('dblclick', {bubbles: true}));"));
    json seen = TakeSeen();
    ASSERT_EQ(seen.size(), 1u) << seen;
    EXPECT_EQ(seen[0]["trusted"], false);

    const WebElement target = driver.FindElement("#target").Element();
    const auto [x, y] = Centre(target);
    ASSERT_TRUE(driver.DoubleClickAt(x, y));
    seen = TakeSeen();
    ASSERT_EQ(seen.size(), 3u) << seen;  // click, click, dblclick
    EXPECT_EQ(seen[2]["type"], "dblclick");
    EXPECT_EQ(seen[2]["trusted"], true);

    // Viewport coordinates are the top window's, also for a point inside the frame.
    const WebElement frame = driver.FindElement("#frame").Element();
    const auto frameAt = Corner(frame);
    ASSERT_TRUE(driver.SwitchToFrame(frame));
    const auto [ix, iy] = Centre(driver.FindElement("#inner").Element(), frameAt);
    ASSERT_TRUE(driver.SwitchToTopFrame());
    ASSERT_TRUE(driver.ClickAt(ix, iy));
    seen = TakeSeen();
    ASSERT_EQ(seen.size(), 1u) << seen;
    EXPECT_EQ(seen[0]["where"], "/inner");
    EXPECT_EQ(seen[0]["trusted"], true);

    struct Chord {
        std::vector<std::string> keys;
        const char* key;  // event.key of the last keydown
        bool ctrl, alt, shift;
    };
    const Chord chords[] = {
        {{WebKey::kControl, WebKey::kPageDown}, "PageDown", true, false, false},
        {{WebKey::kControl, WebKey::kPageUp}, "PageUp", true, false, false},
        {{WebKey::kAlt, WebKey::kHome}, "Home", false, true, false},
        {{WebKey::kShift, WebKey::F(3)}, "F3", false, false, true},
        {{WebKey::kEscape}, "Escape", false, false, false},
        {{WebKey::kControl, WebKey::kShift, "a"}, "A", true, false, true},
    };
    for (const Chord& chord : chords) {
        SCOPED_TRACE(chord.key);
        ASSERT_TRUE(driver.KeyChord(chord.keys));
        seen = TakeSeen();
        ASSERT_EQ(seen.size(), chord.keys.size()) << seen;  // one keydown per key
        const json& last = seen.back();
        EXPECT_EQ(last["key"], chord.key);
        EXPECT_EQ(last["ctrl"], chord.ctrl);
        EXPECT_EQ(last["alt"], chord.alt);
        EXPECT_EQ(last["shift"], chord.shift);
        EXPECT_EQ(last["trusted"], true);
    }
    // Keys held across calls keep modifying until they are released.
    ASSERT_TRUE(driver.KeyDown(WebKey::kControl));
    ASSERT_TRUE(driver.TypeText("b"));
    ASSERT_TRUE(driver.ReleaseActions());
    ASSERT_TRUE(driver.TypeText("c"));
    seen = TakeSeen();
    ASSERT_EQ(seen.size(), 3u) << seen;
    EXPECT_EQ(seen[1]["key"], "b");
    EXPECT_EQ(seen[1]["ctrl"], true);
    EXPECT_EQ(seen[2]["key"], "c");
    EXPECT_EQ(seen[2]["ctrl"], false);
}

TEST_F(WebDriverTest, ScreenshotsWindowsAndDevToolsCommands) {
    std::filesystem::create_directories(NBX_SCREENSHOT_DIR);
    const std::string png = std::string(NBX_SCREENSHOT_DIR) + "/webdriver-page.png";
    std::filesystem::remove(png);
    ASSERT_TRUE(driver.Screenshot(png));
    const std::string bytes = ReadWholeFile(png);
    EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_GT(bytes.size(), 2000u);  // a drawn page, not an empty picture

    const WebResult version = driver.Cdp("Browser.getVersion");
    ASSERT_TRUE(version) << version.error;
    EXPECT_NE(version.value.value("product", "").find("Chrome"), std::string::npos)
        << version.value;
    EXPECT_FALSE(driver.Cdp("No.suchCommand"));

    // A trusted click opens a second window; closing it leaves the first.
    const std::string first = driver.CurrentWindow().String();
    ASSERT_TRUE(driver.Click(driver.FindElement("#open").Element()));
    ASSERT_TRUE(driver.WaitFor("return window.seen.length > 0;"));
    WebResult handles;
    for (int i = 0; i < 100 && driver.WindowHandles().value.size() < 2; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    handles = driver.WindowHandles();
    ASSERT_EQ(handles.value.size(), 2u) << handles.value;
    const std::string second = handles.value[0] == first ? handles.value[1] : handles.value[0];
    ASSERT_TRUE(driver.SwitchToWindow(second));
    ASSERT_TRUE(driver.WaitFor("return document.title === 'Second';"));
    EXPECT_EQ(driver.CurrentUrl().String(), server.Url("/second"));
    ASSERT_TRUE(driver.CloseWindow());
    EXPECT_FALSE(driver.Title()) << "the current window is gone";
    handles = driver.WindowHandles();
    EXPECT_EQ(handles.value, json::array({first}));
    ASSERT_TRUE(driver.SwitchToWindow(first));
    EXPECT_EQ(driver.Title().String(), "Lighthouse");
    EXPECT_FALSE(driver.SwitchToWindow(second));
}

// The fields of /proc/PID/stat after the command name ("S 1234 ..."); "" when pid is gone.
std::string StatAfterName(pid_t pid) {
    const std::string text = ReadWholeFile("/proc/" + std::to_string(pid) + "/stat");
    const std::size_t close = text.rfind(')');
    return close == std::string::npos ? std::string() : text.substr(close + 2);
}

// True while pid is a live process (not gone, not a zombie).
bool Alive(pid_t pid) {
    const std::string fields = StatAfterName(pid);
    return !fields.empty() && fields[0] != 'Z';
}

// The parent of pid; -1 when unknown.
pid_t ParentOf(pid_t pid) {
    std::istringstream fields(StatAfterName(pid));
    std::string state;
    pid_t parent = -1;
    fields >> state >> parent;
    return parent;
}

TEST(WebDriverLifeTest, AnAppWindowOpensItsOwnPageAndEverythingEndsWithTheDriver) {
    WebDriver idle;
    EXPECT_NE(idle.Title().error.find("no browser session"), std::string::npos);

    PageServer server(kPages);
    pid_t driverPid = -1;
    pid_t browserPid = -1;
    std::string profile;
    {
        WebDriver driver;
        WebDriverOptions options;
        options.arguments = {"--app=" + server.Url("/second")};
        options.commandTimeoutMs = 2000;
        const WebResult started = driver.Start(options);
        ASSERT_TRUE(started) << started.error;
        EXPECT_FALSE(driver.Start()) << "one session per WebDriver";
        ASSERT_TRUE(driver.WaitFor("return document.title === 'Second';"));
        EXPECT_EQ(driver.CurrentUrl().String(), server.Url("/second"));
        EXPECT_EQ(driver.WindowHandles().value.size(), 1u);
        const WebResult stuck = driver.ExecuteAsync("/* never calls back */");
        EXPECT_NE(stuck.error.find("script timeout"), std::string::npos) << stuck.error;
        driverPid = driver.DriverPid();
        browserPid = driver.BrowserPid();
        profile = driver.ProfileDir();
        ASSERT_GT(browserPid, 0);
        EXPECT_EQ(ParentOf(browserPid), driverPid);
        EXPECT_TRUE(Alive(browserPid));
        EXPECT_TRUE(std::filesystem::exists(profile + "/Default"));
    }
    EXPECT_FALSE(Alive(driverPid));
    EXPECT_FALSE(Alive(browserPid));
    EXPECT_FALSE(std::filesystem::exists(profile));
}

// A test process that dies without its destructors (a crash, a sanitizer's abort) still
// leaves no driver, browser or profile behind.
TEST(WebDriverLifeTest, ATestThatDiesLeavesNoBrowserBehind) {
    int report[2];
    ASSERT_EQ(::pipe(report), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(report[0]);
        auto* driver = new WebDriver;
        if (driver->Start()) {
            const std::string line = std::to_string(driver->DriverPid()) + " " +
                                     std::to_string(driver->BrowserPid()) + " " +
                                     driver->ProfileDir() + "\n";
            (void)!::write(report[1], line.data(), line.size());
        }
        ::_exit(0);
    }
    ::close(report[1]);
    std::string line;
    char buffer[512];
    for (ssize_t n; (n = ::read(report[0], buffer, sizeof buffer)) > 0;) {
        line.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(report[0]);
    ::waitpid(child, nullptr, 0);
    std::istringstream fields(line);
    pid_t driverPid = -1;
    pid_t browserPid = -1;
    std::string profile;
    fields >> driverPid >> browserPid >> profile;
    ASSERT_GT(driverPid, 0) << "the child's driver did not start";
    ASSERT_FALSE(profile.empty());
    for (int i = 0;
         i < 400 && (Alive(driverPid) || Alive(browserPid) || std::filesystem::exists(profile));
         ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_FALSE(Alive(driverPid));
    EXPECT_FALSE(Alive(browserPid));
    EXPECT_FALSE(std::filesystem::exists(profile));
}

}  // namespace
}  // namespace nbx::test
