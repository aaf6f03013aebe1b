// The served reader in a real browser, driven with trusted input as a reader drives it: the
// browser goes in through the book's private launch page, the frame's script and the page's
// helper run as they do for a reader, and the book's own server answers.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>

#include "HttpClient.h"
#include "ReaderProcess.h"
#include "ServedBook.h"
#include "WebDriver.h"
#include "platform/BrowserLauncher.h"
#include "platform/LoopbackPeer.h"
#include "support/TempDir.h"

namespace nbx::test {
namespace {

using nlohmann::json;

const std::string kScreenshotDir = NBX_SCREENSHOT_DIR;

// The switches the reader hands a Chromium-family browser in app mode, past the address
// and the window's size.
std::vector<std::string> AppModeSwitches() {
    std::vector<std::string> command =
        platform::BrowserCommand("ADDRESS", {}, "/usr/bin/chromium", "");
    std::vector<std::string> switches;
    for (std::size_t i = 1; i < command.size(); ++i) {
        if (!command[i].starts_with("--app=")) {
            switches.push_back(command[i]);
        }
    }
    return switches;
}

class ReaderInBrowserTest : public ::testing::Test {
protected:
    // Starts the book at path as the reader does, and the browser on the page the book
    // hands its browser. env adds to the book's environment.
    void Open(const std::string& path, std::vector<std::string> env = {}) {
        const std::string runtime = dir.File("run");
        std::filesystem::create_directories(runtime);
        ::chmod(runtime.c_str(), 0700);
        env.push_back("BROWSER=true");
        env.push_back("XDG_RUNTIME_DIR=" + runtime);
        ASSERT_TRUE(reader.Start(path, env, false));
        ASSERT_TRUE(reader.printed.starts_with("file://")) << reader.printed;
        WebDriverOptions options;
        options.arguments = AppModeSwitches();
        options.startUrl = reader.printed;
        const WebResult started = driver.Start(options);
        ASSERT_TRUE(started) << started.error;
        const WebResult frame = driver.WaitFor(
            "return location.port === '" + std::to_string(reader.port) +
                "' && !!document.getElementById('page') && document.readyState === 'complete';",
            20000);
        ASSERT_TRUE(frame) << frame.error;
    }

    // The path of the page the frame shows, below the token: "/book/index.html".
    std::string Shown() {
        EXPECT_TRUE(driver.SwitchToTopFrame());
        EXPECT_TRUE(driver.SwitchToFrame(driver.FindElement("#page").Element()));
        const std::string path = driver.Execute("return location.pathname;").String();
        driver.SwitchToTopFrame();
        return path.substr(std::min(path.size(), reader.base.size()));
    }

    // Waits until the frame shows the page at that path.
    bool WaitShown(const std::string& path) {
        for (int i = 0; i < 100; ++i) {
            if (Shown() == path) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        ADD_FAILURE() << "the frame shows " << Shown() << ", not " << path;
        return false;
    }

    // Moves the focus into the author's page (a click on its text) or into the frame (a
    // click on the status bar), as a reader's click does.
    void FocusPage() {
        driver.SwitchToTopFrame();
        const json r = driver.Rect(driver.FindElement("#page").Element()).value;
        driver.ClickAt(r["x"].get<int>() + r["width"].get<int>() - 20,
                       r["y"].get<int>() + r["height"].get<int>() - 20);
    }
    void FocusFrame() {
        driver.SwitchToTopFrame();
        driver.Click(driver.FindElement("#status").Element());
    }

    TempDir dir;
    ReaderProcess reader;
    std::unique_ptr<WebDriver> browser = std::make_unique<WebDriver>();
    WebDriver& driver = *browser;
};

// --- Lifetime --------------------------------------------------------------------------

// The long poll is held for as long as nothing happens and the reader's idle limit passes
// many times over; a click a minute later still reads on.
TEST_F(ReaderInBrowserTest, TheBookServesAReaderWhoReadsOnePageForMoreThanAMinute) {
    const std::string path = dir.File("lighthouse");
    ASSERT_EQ(WriteServedBook(dir, path, ServedBookSettings()), "");
    Open(path);  // the real lifetime: no NBX_READER_IDLE_MS
    ASSERT_TRUE(WaitShown("/book/index.html"));
    std::this_thread::sleep_for(std::chrono::seconds(65));
    EXPECT_EQ(reader.WaitExit(10), -1);
    driver.SwitchToTopFrame();
    ASSERT_TRUE(driver.Click(driver.FindElement("#toolbar [data-cmd=\"next\"]").Element()));
    EXPECT_TRUE(WaitShown("/book/keeper.htm"));
    EXPECT_TRUE(driver.Execute("return document.getElementById('closed').hidden;").value);
}

// When the browser has gone, the book ends within a minute, by itself.
TEST_F(ReaderInBrowserTest, TheBookEndsSoonAfterItsBrowserHasClosed) {
    const std::string path = dir.File("lighthouse");
    ASSERT_EQ(WriteServedBook(dir, path, ServedBookSettings()), "");
    Open(path);
    ASSERT_TRUE(WaitShown("/book/index.html"));
    browser.reset();  // the browser and every window of it end
    EXPECT_EQ(reader.WaitExit(60000), 0);
}

// A window left open when the book has ended says so in the reader's words, and its
// buttons do nothing.
TEST_F(ReaderInBrowserTest, AWindowOfAnEndedBookSaysSo) {
    const std::string path = dir.File("lighthouse");
    ASSERT_EQ(WriteServedBook(dir, path, ServedBookSettings()), "");
    Open(path, {"NBX_READER_IDLE_MS=60000"});
    ASSERT_TRUE(WaitShown("/book/index.html"));
    ::kill(reader.pid(), SIGKILL);
    const WebResult closed =
        driver.WaitFor("return !document.getElementById('closed').hidden;", 10000);
    ASSERT_TRUE(closed) << closed.error;
    EXPECT_NE(driver.Execute("return document.getElementById('closed').textContent;")
                  .String()
                  .find("start it again"),
              std::string::npos);
    driver.Click(driver.FindElement("#toolbar [data-cmd=\"next\"]").Element());
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(Shown(), "/book/index.html");
    std::filesystem::create_directories(kScreenshotDir);
    driver.Screenshot(kScreenshotDir + "/served-book-closed.png");
}

// --- The pages' own origin -------------------------------------------------------------

// What the test page tries against the frame around it; each entry is the name of a try.
const char* const kFrameTries[] = {
    "parent's document",
    "top's document and its key",
    "the frame's page by fetch",
    "the frame's state with a guessed key",
    "the frame's page by XMLHttpRequest",
    "the frame's storage",
    "navigating the reader's window",
    "a window on the frame",
};

TEST_F(ReaderInBrowserTest, PagesKeepStorageCookiesAndFetchButCannotReachTheFrame) {
    const std::string storage = R"(<!DOCTYPE html><html><head><title>Storage</title></head><body>
<h1>Storage</h1><pre id="results">running</pre><a id="second" href="second.html">Second</a>
<script>
(async () => {
  const r = {};
  const attempt = async (name, f) => {
    try { r[name] = String(await f()); } catch (e) { r[name] = 'error ' + e.name; }
  };
  await attempt('local', () => { localStorage.setItem('theme', 'dark');
                                 return localStorage.getItem('theme'); });
  await attempt('session', () => { sessionStorage.setItem('s', '1');
                                   return sessionStorage.getItem('s'); });
  await attempt('cookie', () => { document.cookie = 'reader=ann; path=/';
                                  return document.cookie; });
  await attempt('fetch', async () => (await (await fetch('data/words.json')).json()).word);
  await attempt('xhr', () => new Promise((done, fail) => {
    const x = new XMLHttpRequest();
    x.open('GET', 'data/words.json');
    x.onload = () => done(JSON.parse(x.responseText).word);
    x.onerror = () => fail(new Error('xhr'));
    x.send();
  }));
  const frame = location.ancestorOrigins[0];
  const base = location.pathname.split('/').slice(0, 2).join('/');
  const reached = {};
  const tryIt = async (name, f) => {
    try { const v = await f(); reached[name] = v === undefined ? 'nothing' : 'REACHED ' + v; }
    catch (e) { reached[name] = 'refused'; }
  };
  await tryIt("parent's document", () => parent.document.title);
  await tryIt("top's document and its key", () => top.document.body.dataset.key);
  await tryIt("the frame's page by fetch", async () => (await fetch(frame + base + '/')).status);
  await tryIt("the frame's state with a guessed key", async () =>
    (await fetch(frame + base + '/frame/state', {headers: {'X-Nbx-Frame': 'guess'}})).status);
  await tryIt("the frame's page by XMLHttpRequest", () => new Promise((done, fail) => {
    const x = new XMLHttpRequest();
    x.open('GET', frame + base + '/');
    x.onload = () => done(x.status);
    x.onerror = () => fail(new Error('xhr'));
    x.send();
  }));
  await tryIt("the frame's storage", () => top.localStorage.length);
  await tryIt("navigating the reader's window", () => {
    top.location = frame + base + '/frame/exit';
    return undefined;
  });
  await tryIt("a window on the frame", () => {
    const w = window.open(frame + base + '/');
    return w ? w.document.body.dataset.key : undefined;
  });
  document.getElementById('results').textContent = JSON.stringify({page: r, frame: reached});
})();
</script></body></html>)";
    const std::string second = R"(<html><head><title>Second</title></head><body>
<pre id="results"></pre><script>
document.getElementById('results').textContent = JSON.stringify(
  {theme: localStorage.getItem('theme'), cookie: document.cookie});
</script></body></html>)";
    std::vector<TestBookFile> files = ReaderDataFiles(kProgramDir);
    files.push_back({"index.html", storage, "Storage", "00001000", 1});
    files.push_back({"second.html", second, "Second", "00001001", 1});
    files.push_back({"data/words.json", "{\"word\": \"lighthouse\"}", ""});
    const std::string path = dir.File("storage");
    ASSERT_EQ(WriteTestBook(dir, kProgramDir + "/eview.dat", path, ServedBookSettings(), files),
              "");
    Open(path, {"NBX_READER_IDLE_MS=60000"});
    ASSERT_TRUE(WaitShown("/book/index.html"));
    driver.SwitchToFrame(driver.FindElement("#page").Element());
    const WebResult done = driver.WaitFor(
        "return document.getElementById('results').textContent !== 'running';", 15000);
    ASSERT_TRUE(done) << done.error;
    const json results = json::parse(
        driver.Execute("return document.getElementById('results').textContent;").String());
    EXPECT_EQ(results["page"]["local"], "dark");
    EXPECT_EQ(results["page"]["session"], "1");
    EXPECT_NE(results["page"]["cookie"].get<std::string>().find("reader=ann"), std::string::npos)
        << results.dump();
    EXPECT_EQ(results["page"]["fetch"], "lighthouse");
    EXPECT_EQ(results["page"]["xhr"], "lighthouse");
    for (const char* tried : kFrameTries) {
        EXPECT_EQ(results["frame"].value(tried, "missing").rfind("REACHED", 0), std::string::npos)
            << tried << ": " << results["frame"].dump();
        EXPECT_TRUE(results["frame"].contains(tried)) << tried;
    }
    // Across the book's pages, what a page stored is still there.
    driver.Click(driver.FindElement("#second").Element());
    driver.SwitchToTopFrame();
    ASSERT_TRUE(WaitShown("/book/second.html"));
    driver.SwitchToFrame(driver.FindElement("#page").Element());
    const json after = json::parse(
        driver.Execute("return document.getElementById('results').textContent;").String());
    EXPECT_EQ(after["theme"], "dark");
    EXPECT_NE(after["cookie"].get<std::string>().find("reader=ann"), std::string::npos);
    // The reader's window was not navigated away, and the book still runs.
    driver.SwitchToTopFrame();
    EXPECT_EQ(reader.WaitExit(10), -1);
}

// --- Keys, Find and Copy ---------------------------------------------------------------

TEST_F(ReaderInBrowserTest, TheMenusKeysWorkWithTheFocusInThePageOrInTheFrame) {
    const std::string path = dir.File("lighthouse");
    ASSERT_EQ(WriteServedBook(dir, path, ServedBookSettings()), "");
    Open(path, {"NBX_READER_IDLE_MS=60000"});
    ASSERT_TRUE(WaitShown("/book/index.html"));
    struct Case {
        const char* what;
        std::vector<std::string> keys;
        std::string shown;  // the page the frame shows after
    };
    const Case cases[] = {
        {"Ctrl+PgDown", {WebKey::kControl, WebKey::kPageDown}, "/book/keeper.htm"},
        {"Ctrl+PgDown again", {WebKey::kControl, WebKey::kPageDown}, "/book/lamp.html"},
        {"Ctrl+PgUp", {WebKey::kControl, WebKey::kPageUp}, "/book/keeper.htm"},
        {"Alt+Home", {WebKey::kAlt, WebKey::kHome}, "/book/index.html"},
        {"Ctrl+T", {WebKey::kControl, "t"}, "/system/contents"},
        {"Ctrl+E", {WebKey::kControl, "e"}, "/system/search"},
    };
    for (bool inPage : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (inPage ? " in the page" : " in the frame"));
            inPage ? FocusPage() : FocusFrame();
            ASSERT_TRUE(driver.KeyChord(c.keys));
            EXPECT_TRUE(WaitShown(c.shown));
            driver.SwitchToTopFrame();
            if (c.shown == "/system/search") {
                EXPECT_FALSE(driver.Execute("return document.getElementById('searchbar').hidden;")
                                 .value.get<bool>());
            }
        }
        // Ctrl+F opens the reader's Find bar, whose words are found on the author's page.
        FocusPage();
        driver.KeyChord({WebKey::kAlt, WebKey::kHome});
        ASSERT_TRUE(WaitShown("/book/index.html"));
        inPage ? FocusPage() : FocusFrame();
        driver.KeyChord({WebKey::kControl, "f"});
        driver.SwitchToTopFrame();
        ASSERT_TRUE(
            driver.WaitFor("return !document.getElementById('findbar').hidden && "
                           "document.activeElement.id === 'findtext';"));
        driver.TypeText("keeper");
        driver.KeyChord({WebKey::kEnter});
        driver.SwitchToFrame(driver.FindElement("#page").Element());
        EXPECT_TRUE(driver.WaitFor("return String(getSelection()) === 'keeper';"));
        driver.SwitchToTopFrame();
        driver.KeyChord({WebKey::kEscape});
    }
    // Ctrl+Q leaves the book.
    FocusPage();
    driver.KeyChord({WebKey::kControl, "q"});
    EXPECT_EQ(reader.WaitExit(20000), 0);
}

TEST_F(ReaderInBrowserTest, CopyTakesTheSelectionOfTheAuthorsPage) {
    const std::string path = dir.File("lighthouse");
    ASSERT_EQ(WriteServedBook(dir, path, ServedBookSettings()), "");
    Open(path, {"NBX_READER_IDLE_MS=60000"});
    ASSERT_TRUE(WaitShown("/book/index.html"));
    const WebResult granted =
        driver.Cdp("Browser.grantPermissions",
                   {{"permissions", {"clipboardReadWrite", "clipboardSanitizedWrite"}}});
    ASSERT_TRUE(granted) << granted.error;
    driver.SwitchToFrame(driver.FindElement("#page").Element());
    driver.Execute("const h = document.querySelector('h1'); getSelection().selectAllChildren(h);");
    driver.SwitchToTopFrame();
    driver.Click(driver.FindElement("#toolbar [data-cmd=\"copy\"]").Element());
    const WebResult copied = driver.WaitFor(
        "return navigator.clipboard.readText().then(t => t === 'The Lighthouse Book');");
    EXPECT_TRUE(copied) << copied.error;
}

// --- Questions -------------------------------------------------------------------------

// A page puts its own button where the question's "Open the file" will appear and asks on
// the reader's mousedown: the reader's next click comes while the question has only just
// appeared, and is not taken. A reader's click once it has been in view is.
TEST_F(ReaderInBrowserTest, AClickMeantForThePageCannotAnswerTheQuestionThatItRaised) {
    const std::string trap = R"(<html><head><title>Trap</title><style>
html, body { margin: 0; height: 100%; }
button { position: fixed; inset: 0; width: 100%; height: 100%; font-size: 40px; }
</style></head><body><button id="trap">Double-click to continue</button><script>
document.getElementById('trap').addEventListener('mousedown', () => {
  location.href = 'tools.sh';
});
</script></body></html>)";
    std::vector<TestBookFile> files = ReaderDataFiles(kProgramDir);
    files.push_back({"index.html", trap, "Trap", "00001000", 1});
    files.push_back({"tools.sh", "#!/bin/sh\n", ""});
    const std::string path = dir.File("trap");
    ASSERT_EQ(WriteTestBook(dir, kProgramDir + "/eview.dat", path, ServedBookSettings(), files),
              "");
    // What the book hands a confirmed file to: a stand-in for xdg-open that leaves a mark.
    // The mark appears whole (written aside, then renamed): the test reads it as soon as the
    // file exists.
    const std::string bin = dir.File("bin");
    std::filesystem::create_directories(bin);
    const std::string opened = dir.File("opened");
    const std::string opener =
        dir.Write("bin/xdg-open", "#!/bin/sh\necho \"$1\" > '" + opened + ".part' && mv '" +
                                      opened + ".part' '" + opened + "'\n");
    ::chmod(opener.c_str(), 0755);
    Open(path, {"NBX_READER_IDLE_MS=60000", "PATH=" + bin + ":" + std::getenv("PATH")});
    ASSERT_TRUE(WaitShown("/book/index.html"));
    const json page = driver.Rect(driver.FindElement("#page").Element()).value;
    const int x = page["x"].get<int>() + page["width"].get<int>() / 2;
    const int y = page["y"].get<int>() + page["height"].get<int>() / 2;

    // The first click asks; the second comes as soon as the question shows, on its button.
    ASSERT_TRUE(driver.ClickAt(x, y));
    ASSERT_TRUE(driver.WaitFor("return document.getElementById('question').open;", 10000));
    const json yes = driver.Rect(driver.FindElement("#questionyes").Element()).value;
    const int yesX = yes["x"].get<int>() + yes["width"].get<int>() / 2;
    const int yesY = yes["y"].get<int>() + yes["height"].get<int>() / 2;
    driver.ClickAt(yesX, yesY);
    driver.ClickAt(yesX, yesY);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(std::filesystem::exists(opened));
    EXPECT_TRUE(driver.Execute("return document.getElementById('question').open;").value);
    EXPECT_EQ(driver.Text(driver.FindElement("#questionsubject").Element()).String(), "tools.sh");
    std::filesystem::create_directories(kScreenshotDir);
    driver.Screenshot(kScreenshotDir + "/served-open-question.png");

    // Once it has been in view for a while, the reader's own click is taken.
    ASSERT_TRUE(driver.WaitFor("return !document.getElementById('questionyes').disabled;"));
    driver.ClickAt(yesX, yesY);
    for (int i = 0; i < 100 && !std::filesystem::exists(opened); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_TRUE(std::filesystem::exists(opened));
    // The file handed over is gone with the book.
    const std::string file = ReadWholeFile(opened).substr(0, ReadWholeFile(opened).find('\n'));
    EXPECT_TRUE(std::filesystem::exists(file)) << file;
    driver.SwitchToTopFrame();
    driver.Click(driver.FindElement("#toolbar [data-cmd=\"exit\"]").Element());
    EXPECT_EQ(reader.WaitExit(20000), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(file).parent_path())) << file;
}

// A page that just loaded asks nothing: without the reader's click there is no question.
TEST_F(ReaderInBrowserTest, APageThatJustLoadedCannotAsk) {
    const std::string eager = R"(<html><body><p>Loading</p><iframe src="tools.sh"></iframe>
<script>setTimeout(() => { location.href = 'tools.sh'; }, 200);</script></body></html>)";
    std::vector<TestBookFile> files = ReaderDataFiles(kProgramDir);
    files.push_back({"index.html", eager, "Eager", "00001000", 1});
    files.push_back({"tools.sh", "#!/bin/sh\n", ""});
    const std::string path = dir.File("eager");
    ASSERT_EQ(WriteTestBook(dir, kProgramDir + "/eview.dat", path, ServedBookSettings(), files),
              "");
    Open(path, {"NBX_READER_IDLE_MS=60000"});
    std::this_thread::sleep_for(std::chrono::seconds(2));
    driver.SwitchToTopFrame();
    EXPECT_FALSE(driver.Execute("return document.getElementById('question').open;").value);
}

// --- Nothing leaves the book without the reader ----------------------------------------

// A listener on 127.0.0.1 that counts what reaches it, over TCP and UDP on one port.
class Listener {
public:
    Listener() {
        tcp_ = ::socket(AF_INET, SOCK_STREAM, 0);
        udp_ = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(tcp_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(tcp_, 16);
        ::getsockname(tcp_, reinterpret_cast<sockaddr*>(&address), &length);
        port = ntohs(address.sin_port);
        ::bind(udp_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        thread_ = std::thread([this] {
            while (!stop_) {
                pollfd fds[2] = {{tcp_, POLLIN, 0}, {udp_, POLLIN, 0}};
                if (::poll(fds, 2, 100) <= 0) {
                    continue;
                }
                if (fds[0].revents & POLLIN) {
                    // NeighbourTest's other user tries every loopback port meanwhile: a
                    // connection known to be another user's is not the browser's.
                    const int client = ::accept(tcp_, nullptr, nullptr);
                    const std::optional<platform::UserId> peer =
                        client >= 0 ? platform::LoopbackPeerUser(client) : std::nullopt;
                    if (!peer || peer == platform::ThisUser()) {
                        ++tcp;
                    }
                    ::close(client);
                }
                if (fds[1].revents & POLLIN) {
                    char datagram[2048];
                    ::recv(udp_, datagram, sizeof datagram, 0);
                    ++udp;
                }
            }
        });
    }
    ~Listener() {
        stop_ = true;
        thread_.join();
        ::close(tcp_);
        ::close(udp_);
    }
    std::uint16_t port = 0;
    std::atomic<int> tcp = 0;
    std::atomic<int> udp = 0;

private:
    int tcp_ = -1;
    int udp_ = -1;
    std::atomic<bool> stop_ = false;
    std::thread thread_;
};

TEST_F(ReaderInBrowserTest, APageCannotCallHomeByNavigatingRefreshingDownloadingOrWebRtc) {
    Listener listener;
    const std::string home = "http://127.0.0.1:" + std::to_string(listener.port);
    const std::string webrtc = R"(<html><body><script>
const pc = new RTCPeerConnection({iceServers: [
  {urls: 'stun:127.0.0.1:PORT'},
  {urls: 'turn:127.0.0.1:PORT?transport=tcp', username: 'u', credential: 'p'},
  {urls: 'turn:127.0.0.1:PORT?transport=udp', username: 'u', credential: 'p'}]});
pc.createDataChannel('out');
pc.createOffer().then(async (offer) => {
  await pc.setLocalDescription(offer);
  const answer = offer.sdp.replace(/a=setup:actpass/, 'a=setup:active') +
      'a=candidate:1 1 udp 2122260223 127.0.0.1 PORT typ host\r\n';
  await pc.setRemoteDescription({type: 'answer', sdp: answer});
}).catch(() => {});
</script></body></html>)";
    auto withPort = [&](std::string text) {
        for (std::size_t at; (at = text.find("PORT")) != std::string::npos;) {
            text.replace(at, 4, std::to_string(listener.port));
        }
        return text;
    };
    std::vector<TestBookFile> files = ReaderDataFiles(kProgramDir);
    files.push_back({"index.html", "<p>Start</p>", "Start", "00001000", 1});
    files.push_back({"navigate.html",
                     "<script>setTimeout(() => { location.href = '" + home +
                         "/navigated?name=ann'; }, 100);</script>",
                     "Navigate"});
    files.push_back({"refresh.html",
                     "<meta http-equiv=\"refresh\" content=\"0;url=" + home + "/refreshed\">",
                     "Refresh"});
    files.push_back({"frames.html",
                     "<iframe src=\"" + home + "/framed\"></iframe><img src=\"" + home +
                         "/pixel.png\"><link rel=\"prefetch\" href=\"" + home + "/prefetched\">",
                     "Frames"});
    files.push_back(
        {"download.html",
         "<a id=\"a\" href=\"" + home +
             "/file.zip\" download>zip</a><a id=\"b\" download=\"x.txt\" "
             "href=\"data:text/plain,saved\">x</a><script>setTimeout(() => { "
             "document.getElementById('a').click(); document.getElementById('b').click(); "
             "const c = document.createElement('a'); c.href = URL.createObjectURL(new "
             "Blob(['blob'])); c.download = 'blob.txt'; c.click(); }, 100);</script>",
         "Download"});
    files.push_back({"webrtc.html", withPort(webrtc), "WebRTC"});
    const std::string path = dir.File("callhome");
    ASSERT_EQ(WriteTestBook(dir, kProgramDir + "/eview.dat", path, ServedBookSettings(), files),
              "");
    Open(path, {"NBX_READER_IDLE_MS=60000"});
    ASSERT_TRUE(WaitShown("/book/index.html"));
    const std::string downloads = driver.WorkDir() + "/downloads";
    std::filesystem::create_directories(downloads);
    driver.Cdp("Browser.setDownloadBehavior", {{"behavior", "allow"}, {"downloadPath", downloads}});
    const std::string frame = "http://127.0.0.1:" + std::to_string(reader.port) + reader.base + "/";
    for (const char* page :
         {"navigate.html", "refresh.html", "frames.html", "download.html", "webrtc.html"}) {
        ASSERT_TRUE(driver.Navigate(frame + "?page=book/" + page));
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        EXPECT_EQ(listener.tcp + listener.udp, 0) << page;
    }
    EXPECT_TRUE(std::filesystem::is_empty(downloads));

    // The WebRTC page does reach the listener in a browser without the reader's switches,
    // so the listener would have heard it.
    WebDriver plain;
    ASSERT_TRUE(plain.Start());
    const std::string webrtcFile = dir.Write("webrtc.html", withPort(webrtc));
    plain.Navigate("file://" + webrtcFile);
    for (int i = 0; i < 50 && listener.udp + listener.tcp == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_GT(listener.udp + listener.tcp, 0) << "the listener hears no WebRTC at all";
}

// A link that leaves the book opens in a window of the browser's own; the book's frame
// keeps its page.
TEST_F(ReaderInBrowserTest, ALinkOutOfTheBookOpensInTheBrowserNotInTheFrame) {
    Listener listener;
    const std::string out = "http://127.0.0.1:" + std::to_string(listener.port) + "/site";
    std::vector<TestBookFile> files = ReaderDataFiles(kProgramDir);
    files.push_back({"index.html", "<p><a id=\"out\" href=\"" + out + "\">The site</a></p>",
                     "Links", "00001000", 1});
    const std::string path = dir.File("links");
    BuildSettings settings = ServedBookSettings();
    settings.autoOpenLinksInNewWindow = 1;
    ASSERT_EQ(WriteTestBook(dir, kProgramDir + "/eview.dat", path, settings, files), "");
    Open(path, {"NBX_READER_IDLE_MS=60000"});
    ASSERT_TRUE(WaitShown("/book/index.html"));
    driver.SwitchToFrame(driver.FindElement("#page").Element());
    driver.Click(driver.FindElement("#out").Element());
    driver.SwitchToTopFrame();
    ASSERT_TRUE(driver.WaitFor("return true;"));
    for (int i = 0; i < 50 && driver.WindowHandles().value.size() < 2; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(driver.WindowHandles().value.size(), 2u);
    for (int i = 0; i < 50 && listener.tcp == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_GT(listener.tcp, 0);  // the browser went there, in its own window
    EXPECT_EQ(Shown(), "/book/index.html");
}

// --- Search ----------------------------------------------------------------------------

// The reader searches from the search box and opens the result: the words and phrases found
// are marked where they stand whole in one piece of the page's text, not in its script or
// text field, and the page keeps its text, its elements and their listeners.
TEST_F(ReaderInBrowserTest, APageOpenedFromSearchShowsWhatWasFoundMarked) {
    const std::string tower =
        "<html><head><title>Tower</title></head><body><h1 id=\"top\">The Tower Keeper</h1>"
        "<p id=\"text\">The keeper climbs the <b>tower</b> every evening; the tower_lamp is "
        "lit. Keepers rest.</p><button id=\"count\">0</button><textarea>keeper</textarea>"
        "<script>const b = document.getElementById('count'); var keeper = 1;"
        "b.addEventListener('click', () => { b.textContent = String(Number(b.textContent) + 1); "
        "});</script></body></html>";
    std::vector<TestBookFile> files = ReaderDataFiles(kProgramDir);
    files.push_back({"index.html", "<p>Welcome aboard.</p>", "Welcome", "00001000", 1});
    files.push_back({"tower.htm", tower, "Tower", "00001001", 1});
    const std::string path = dir.File("tower");
    ASSERT_EQ(WriteTestBook(dir, kProgramDir + "/eview.dat", path, ServedBookSettings(), files),
              "");
    Open(path, {"NBX_READER_IDLE_MS=60000"});
    ASSERT_TRUE(WaitShown("/book/index.html"));
    driver.Click(driver.FindElement("#toolbar [data-cmd=\"search\"]").Element());
    ASSERT_TRUE(WaitShown("/system/search"));
    driver.Click(driver.FindElement("#q").Element());
    driver.TypeText("keeper \"the tower\"");
    driver.KeyChord({WebKey::kEnter});
    driver.SwitchToFrame(driver.FindElement("#page").Element());
    ASSERT_TRUE(driver.WaitFor("return document.querySelectorAll('p.entry a').length === 1;"));
    driver.Click(driver.FindElement("p.entry a").Element());
    driver.SwitchToTopFrame();
    ASSERT_TRUE(WaitShown("/book/tower.htm"));
    driver.SwitchToFrame(driver.FindElement("#page").Element());
    const WebResult marked = driver.WaitFor("return !!document.querySelector('mark');");
    ASSERT_TRUE(marked) << marked.error;
    EXPECT_EQ(driver
                  .Execute("return [...document.querySelectorAll('mark.nbx-found')]"
                           ".map(m => m.textContent);")
                  .value,
              json({"The Tower", "Keeper", "keeper", "the tower"}));
    EXPECT_EQ(driver.Execute("return document.getElementById('text').textContent;").String(),
              "The keeper climbs the tower every evening; the tower_lamp is lit. Keepers rest.");
    EXPECT_EQ(driver.Execute("return document.querySelector('#top > mark').textContent;").String(),
              "The Tower");
    EXPECT_EQ(driver.Execute("return document.querySelector('textarea').value;").String(),
              "keeper");
    driver.Click(driver.FindElement("#count").Element());
    EXPECT_EQ(driver.Text(driver.FindElement("#count").Element()).String(), "1");
    driver.SwitchToTopFrame();
    driver.Screenshot(kScreenshotDir + "/served-search-marks.png");
}

}  // namespace
}  // namespace nbx::test
