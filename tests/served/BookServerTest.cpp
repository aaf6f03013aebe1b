// The book server at the level of HTTP: what each request gets, as a table, and what a page
// can and cannot make the reader do.

#include "reader/BookServer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "HttpClient.h"
#include "ServedBook.h"
#include "support/TempDir.h"

namespace nbx::test {
namespace {

constexpr std::uint16_t kFramePort = 4242;
constexpr std::uint16_t kPagePort = 4343;
const std::string kToken = "0123456789abcdef0123456789abcdef";
const std::string kKey = "fedcba9876543210fedcba9876543210";
const std::string kLaunch = "5555aaaa5555aaaa5555aaaa5555aaaa";
const std::string kPages = "http://127.0.0.1:4343";
// The helper every page of the book ends with.
const std::string kHelper = "\n<script src=\"/" + kToken + "/reader.js\"></script>\n";

class BookServerTest : public ::testing::Test {
protected:
    void Open(const BuildSettings& settings = ServedBookSettings()) {
        path = dir.File("book");
        ASSERT_EQ(WriteServedBook(dir, path, settings), "");
        Serve();
    }

    // Serves the book at path.
    void Serve(const std::string& launch = kLaunch) {
        ASSERT_TRUE(book.Open(path)) << book.error();
        server = std::make_unique<reader::BookServer>(
            book,
            reader::BookServerOptions{
                kToken, kKey, launch, kFramePort, kPagePort, reader::ProcessContext(path, {}), {}});
        server->SetRunner([this](const std::string& program) {
            ran.push_back(program);
            return true;
        });
        server->SetOpener([this](const std::string& file) {
            opened.push_back(ReadWholeFile(file));
            return true;
        });
    }

    // The answer to a request on port (by default the frame's for the frame's addresses, the
    // pages' for the rest); headers are "name: value" pairs, Host added unless given.
    HttpAnswer Ask(const std::string& target,
                   std::vector<std::pair<std::string, std::string>> headers = {},
                   const std::string& method = "GET", std::uint16_t port = 0) {
        if (port == 0) {
            const bool frame =
                target == "/" + kToken + "/" || target.starts_with("/" + kToken + "/?") ||
                target.starts_with("/" + kToken + "/frame/") || target.starts_with("/" + kLaunch);
            port = frame ? kFramePort : kPagePort;
        }
        platform::HttpRequest request{method, target, {}, {}, port};
        bool host = false;
        for (auto& [name, value] : headers) {
            host = host || name == "host";
            request.headers.emplace_back(name, value);
        }
        if (!host) {
            request.headers.emplace_back("host", "127.0.0.1:" + std::to_string(port));
        }
        return Exchange(*server, request);
    }

    // A request of the frame's own: with its key, from its own origin.
    HttpAnswer Frame(const std::string& what) {
        return Ask("/" + kToken + "/frame/" + what,
                   {{"x-nbx-frame", kKey}, {"sec-fetch-site", "same-origin"}});
    }

    // Answers the first question after the reader could have read it.
    HttpAnswer Answer(bool yes) {
        const std::string id = std::to_string(server->questions().front().id);
        Frame("state");
        std::this_thread::sleep_for(reader::kQuestionArmTime + std::chrono::milliseconds(50));
        return Frame("answer?id=" + id + "&yes=" + (yes ? "1" : "0"));
    }

    TempDir dir;
    std::string path;
    reader::ReaderBook book;
    std::unique_ptr<reader::BookServer> server;
    std::vector<std::string> ran;
    std::vector<std::string> opened;
};

TEST_F(BookServerTest, ServesTheBooksEntriesByteForByteAndTheGeneratedPages) {
    Open();
    const std::string t = "/" + kToken;
    struct Case {
        std::string target;
        int status;
        std::string type;      // Content-Type begins so
        std::string body;      // the exact body, when not empty
        std::string contains;  // else a part of it
    };
    const Case cases[] = {
        {t + "/book/index.html", 200, "text/html", ServedPage("index.html"), ""},
        // Relative links resolve by the page's own address; the entry is found by its name.
        {t + "/book/chapters/keeper.htm", 200, "text/html", ServedPage("keeper.htm"), ""},
        {t + "/book/css/book.css", 200, "text/css", ServedPage("book.css"), ""},
        {t + "/book/images/red.png", 200, "image/png", RedPng(), ""},
        {t + "/book/images/beam.svg", 200, "image/svg+xml", ServedPage("beam.svg"), ""},
        {t + "/book/Index.HTML", 200, "text/html", ServedPage("index.html"), ""},
        {t + "/book/lamp.html", 200, "text/html", "", "This page is about The Lighthouse Book"},
        {t + "/system/about", 200, "text/html", "", "Ann Author"},
        {t + "/system/contents", 200, "text/html", "", "href=\"/" + kToken + "/book/keeper.htm\""},
        // A result opens its page with what was found, which the entry lookup ignores.
        {t + "/system/search?q=climbs+%22the+tower%22", 200, "text/html", "",
         "href=\"/" + kToken + "/book/keeper.htm?nbx-found=climbs&amp;nbx-found=the%20tower\""},
        {t + "/book/chapters/keeper.htm?nbx-found=the%20tower&nbx-found=climbs", 200, "text/html",
         ServedPage("keeper.htm"), ""},
        {t + "/system/search?q=climbs+zyzzyva", 200, "text/html", "", "No page contains"},
        {t + "/system/search?q=submarine", 200, "text/html", "", "No page contains"},
        {t + "/system/search", 200, "text/html", "", "<html"},
        {t + "/book/missing.htm", 404, "text/html", "", "Page Not Found"},
        {t + "/system/missing", 404, "text/html", "", "Page Not Found"},
        {t + "/book/__lang.lng", 404, "text/html", "", "Page Not Found"},
        {t + "/book/__search.idx", 404, "text/html", "", "Page Not Found"},
        {t + "/book/etc/passwd", 404, "text/html", "", "Page Not Found"},
        {t + "/go/home", 303, "", "", ""},
    };
    for (const Case& c : cases) {
        const HttpAnswer a = Ask(c.target);
        EXPECT_EQ(a.status, c.status) << c.target;
        EXPECT_EQ(a.Header("content-type").rfind(c.type, 0), 0u) << c.target;
        // A page ends with the reader's helper, after the page's own bytes.
        const std::string expected = c.body + (c.type == "text/html" ? kHelper : "");
        if (!c.body.empty()) {
            EXPECT_TRUE(a.body == expected) << c.target;
        } else {
            EXPECT_NE(a.body.find(c.contains), std::string::npos) << c.target << "\n" << a.body;
        }
        if (c.type == "text/html") {
            EXPECT_TRUE(a.body.ends_with(kHelper)) << c.target;
        }
        EXPECT_EQ(a.body.find("ebook://"), std::string::npos) << c.target;
        EXPECT_EQ(a.body.find("root:"), std::string::npos) << c.target;
        if (c.status != 303) {
            const std::string policy = a.Header("content-security-policy");
            // Nothing but the book itself may be loaded: no call home.
            EXPECT_EQ(policy.rfind("default-src 'self' ", 0), 0u) << c.target;
            // Shown by the reader's frame only, sandboxed wherever it is shown, in an origin
            // of its own (its storage works) that is not the frame's.
            EXPECT_NE(policy.find("frame-ancestors http://127.0.0.1:4242 'self';"),
                      std::string::npos)
                << c.target;
            EXPECT_NE(policy.find("; sandbox allow-same-origin allow-scripts"), std::string::npos)
                << c.target;
            EXPECT_EQ(policy.find("allow-downloads"), std::string::npos) << c.target;
            EXPECT_EQ(policy.find("allow-top-navigation"), std::string::npos) << c.target;
        }
    }
    // The helper knows the frame's origin and the keys of the book's menus; Copy and Select
    // All stay the page's own.
    const HttpAnswer helper = Ask(t + "/reader.js");
    EXPECT_EQ(helper.status, 200);
    EXPECT_EQ(helper.Header("content-type"), "text/javascript; charset=utf-8");
    EXPECT_NE(helper.body.find("{\"frame\":\"http://127.0.0.1:4242\",\"keys\":["),
              std::string::npos)
        << helper.body;
    for (const char* key : {"\"Ctrl+PgDown\"", "\"Alt+Home\"", "\"Ctrl+T\"", "\"Ctrl+E\"",
                            "\"Ctrl+Q\"", "\"Ctrl+F\"", "\"F3\""}) {
        EXPECT_NE(helper.body.find(key), std::string::npos) << key;
    }
    EXPECT_EQ(helper.body.find("\"Ctrl+C\""), std::string::npos);
    EXPECT_EQ(helper.body.find("\"Ctrl+A\""), std::string::npos);
    EXPECT_EQ(helper.body.find("/*CONFIG*/"), std::string::npos);
}

TEST_F(BookServerTest, GoFindsHomeNextPreviousContentsAndAbout) {
    Open();
    const std::string t = "/" + kToken;
    const std::pair<std::string, std::string> cases[] = {
        {"/go/home", t + "/book/index.html"},
        {"/go/next?from=index.html", t + "/book/keeper.htm"},
        {"/go/next?from=chapters%2Fkeeper.htm", t + "/book/lamp.html"},
        {"/go/previous?from=keeper.htm", t + "/book/index.html"},
        {"/go/previous", t + "/book/lamp.html"},
        {"/go/contents", t + "/system/contents"},
        {"/go/about", t + "/system/about"},
    };
    for (const auto& [target, location] : cases) {
        const HttpAnswer a = Ask(t + target);
        EXPECT_EQ(a.status, 303) << target;
        EXPECT_EQ(a.Header("location"), location) << target;
    }
    EXPECT_EQ(Ask(t + "/go/next?from=lamp.html").status, 204);  // the end, without a loop
}

TEST_F(BookServerTest, RefusesWhatIsNotTheReadersOwnRequest) {
    Open();
    const std::string t = "/" + kToken;
    struct Case {
        std::string what;
        std::string method;
        std::string target;
        std::string host;  // empty: the right one; "-": none
        int status;
    };
    const Case cases[] = {
        {"no token", "GET", "/book/index.html", "", 403},
        {"no token at all", "GET", "/", "", 403},
        {"a wrong token", "GET", "/0123456789abcdef0123456789abcdee/book/index.html", "", 403},
        {"a token's prefix", "GET", "/0123456789abcdef/book/index.html", "", 403},
        {"a wrong Host", "GET", t + "/book/index.html", "evil.example:4242", 403},
        {"localhost by name", "GET", t + "/book/index.html", "localhost:4242", 403},
        {"another port", "GET", t + "/book/index.html", "127.0.0.1:80", 403},
        {"the frame's port for a page", "GET", t + "/book/index.html", "127.0.0.1:4242", 403},
        {"no Host", "GET", t + "/book/index.html", "-", 403},
        {"POST", "POST", t + "/book/index.html", "", 405},
        {"PUT", "PUT", t + "/book/index.html", "", 405},
        {"OPTIONS (a preflight)", "OPTIONS", t + "/frame/answer?id=1&yes=1", "", 405},
        {"DELETE", "DELETE", t + "/book/index.html", "", 405},
        {"..", "GET", t + "/book/../index.html", "", 400},
        {"%2e%2e", "GET", t + "/book/%2e%2e/%2e%2e/etc/passwd", "", 400},
        {"%2E%2E mixed", "GET", t + "/book/.%2E/x", "", 400},
        {"an encoded slash", "GET", t + "/book/..%2f..%2fetc%2fpasswd", "", 400},
        {"a backslash", "GET", t + "/book/..\\..\\etc\\passwd", "", 400},
        {"an encoded backslash", "GET", t + "/book/%5c..%5cetc", "", 400},
        {"an absolute path", "GET", t + "/book//etc/passwd", "", 400},
        {"an encoded absolute path", "GET", t + "/book/%2fetc%2fpasswd", "", 400},
        {"a NUL", "GET", t + "/book/index.html%00.png", "", 400},
        {"a bad escape", "GET", t + "/book/%zz", "", 400},
        {"the dot segment", "GET", t + "/./book/index.html", "", 400},
        {"an absolute-form target", "GET", "http://127.0.0.1:4242" + t + "/book/index.html", "",
         403},
        {"file:", "GET", "file:///etc/passwd", "", 403},
        {"file: after the token", "GET", t + "/book/file:///etc/passwd", "", 400},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<std::string, std::string>> headers;
        if (c.host == "-") {
            // Ask adds a Host unless one is given: ask without it.
            platform::HttpRequest request{c.method, c.target, {}, {}, kPagePort};
            EXPECT_EQ(Exchange(*server, request).status, c.status) << c.what;
            continue;
        }
        if (!c.host.empty()) {
            headers.emplace_back("host", c.host);
        }
        const HttpAnswer a = Ask(c.target, headers, c.method);
        EXPECT_EQ(a.status, c.status) << c.what;
        EXPECT_EQ(a.Header("content-type"), "text/plain; charset=utf-8") << c.what;
        EXPECT_LT(a.body.size(), 40u) << c.what;  // a plain refusal, nothing of the book
    }
    // Each origin serves its own: the frame's addresses are not the pages', nor the reverse.
    EXPECT_EQ(Ask(t + "/book/index.html", {}, "GET", kFramePort).status, 404);
    EXPECT_EQ(Ask(t + "/frame/frame.js", {}, "GET", kPagePort).status, 404);
    EXPECT_EQ(Ask(t + "/", {}, "GET", kPagePort).status, 404);
    EXPECT_EQ(Ask(t + "/reader.js", {}, "GET", kFramePort).status, 404);
    EXPECT_FALSE(server->finished());
}

TEST_F(BookServerTest, TheFrameIsForTheBrowsersWindowOnlyAndKeepsTheBooksPageOutOfItsOrigin) {
    Open();
    const std::string t = "/" + kToken;
    const HttpAnswer frame = Ask(t + "/", {{"sec-fetch-dest", "document"}});
    ASSERT_EQ(frame.status, 200);
    EXPECT_NE(frame.body.find("sandbox=\"allow-same-origin allow-scripts"), std::string::npos);
    EXPECT_EQ(frame.body.find("allow-top-navigation"), std::string::npos);
    EXPECT_EQ(frame.body.find("allow-downloads"), std::string::npos);
    EXPECT_NE(frame.body.find(kKey), std::string::npos);
    const std::string policy = frame.Header("content-security-policy");
    EXPECT_NE(policy.find("frame-ancestors 'none'"), std::string::npos);
    // Its page view shows the book's pages and nothing else: no web address, whatever a page
    // or a refresh in it asks.
    EXPECT_NE(policy.find("frame-src " + kPages + ";"), std::string::npos) << policy;
    EXPECT_EQ(policy.find("http:;"), std::string::npos) << policy;
    EXPECT_EQ(policy.find("https:"), std::string::npos) << policy;
    EXPECT_EQ(frame.Header("x-frame-options"), "DENY");
    // The toolbar, menus, search box and contents list in the book's words.
    for (const char* part :
         {"data-cmd=\"next\"", "data-cmd=\"exit\"", "Print...", "id=\"searchbar\"",
          "id=\"contentslist\"", "The Keeper", "/frame/toolbar.png"}) {
        EXPECT_NE(frame.body.find(part), std::string::npos) << part;
    }
    // The frame may open on a page of the book, never on anything else.
    const std::pair<std::string, std::string> firstPages[] = {
        {"?page=system/contents", t + "/system/contents"},
        {"?page=system/search&q=two+words%26more", t + "/system/search?q=two%20words%26more"},
        {"?page=book/lamp.html", t + "/book/lamp.html"},
        {"?page=book/..%2f..%2fetc%2fpasswd", t + "/go/home"},
        {"?page=http://evil.example/", t + "/go/home"},
        {"?page=javascript:alert(1)", t + "/go/home"},
        {"?page=book/x%22onload%3D%22alert(1)", t + "/book/x%22onload%3D%22alert%281%29"},
    };
    for (const auto& [query, src] : firstPages) {
        EXPECT_NE(Ask(t + "/" + query).body.find("src=\"" + kPages + src + "\""), std::string::npos)
            << query;
    }
    // Framed or fetched by a page's script, it is refused.
    EXPECT_EQ(Ask(t + "/", {{"sec-fetch-dest", "iframe"}}).status, 403);
    EXPECT_EQ(Ask(t + "/", {{"sec-fetch-dest", "empty"}}).status, 403);
    // The frame's files carry no secret; its requests need the key.
    EXPECT_EQ(Ask(t + "/frame/frame.js").body.find(kKey), std::string::npos);
    EXPECT_EQ(Ask(t + "/frame/toolbar.png").body, book.toolbar()->png);
    EXPECT_EQ(Ask(t + "/frame/state").status, 403);
    EXPECT_EQ(Ask(t + "/frame/exit").status, 403);
    EXPECT_EQ(Ask(t + "/frame/state", {{"x-nbx-frame", kToken}}).status, 403);
    EXPECT_EQ(
        Ask(t + "/frame/state", {{"x-nbx-frame", kKey}, {"sec-fetch-site", "cross-site"}}).status,
        403);
    // A request that names no origin at all is not taken as the frame's own either.
    EXPECT_EQ(Ask(t + "/frame/state", {{"x-nbx-frame", kKey}}).status, 403);
    EXPECT_EQ(Ask(t + "/frame/state", {{"x-nbx-frame", kKey}, {"origin", kPages}}).status, 403);
    EXPECT_EQ(Ask(t + "/frame/state",
                  {{"x-nbx-frame", kKey}, {"sec-fetch-site", "same-site"}, {"origin", kPages}})
                  .status,
              403);
    EXPECT_FALSE(server->finished());
}

TEST_F(BookServerTest, AFileForAnotherProgramOpensOnlyOnTheReadersWordInTheReadersWords) {
    Open();
    const std::string t = "/" + kToken;
    const std::pair<std::string, std::string> click = {"sec-fetch-user", "?1"};
    // Named as a picture or a script, nothing is asked; nor when a page goes there on its
    // own, without the reader's click.
    EXPECT_EQ(Ask(t + "/book/setup.sh", {{"sec-fetch-dest", "image"}, click}).status, 204);
    EXPECT_EQ(Ask(t + "/book/setup.sh", {{"sec-fetch-dest", "iframe"}}).status, 204);
    EXPECT_EQ(Ask(t + "/book/setup.sh", {{"sec-fetch-dest", "document"}}).status, 204);
    EXPECT_TRUE(server->questions().empty());
    // Clicked for, the reader is asked in the frame, once; nothing is opened yet.
    EXPECT_EQ(Ask(t + "/book/setup.sh", {{"sec-fetch-dest", "iframe"}, click}).status, 204);
    EXPECT_EQ(Ask(t + "/book/setup.sh", {{"sec-fetch-dest", "iframe"}, click}).status, 204);
    ASSERT_EQ(server->questions().size(), 1u);
    EXPECT_TRUE(opened.empty());
    const HttpAnswer state = Frame("state");
    ASSERT_EQ(state.status, 200);
    EXPECT_NE(state.body.find("This e-book asks to open a file of type .sh"), std::string::npos)
        << state.body;
    EXPECT_NE(state.body.find("\"subject\":\"setup.sh\""), std::string::npos);
    EXPECT_NE(state.body.find("\"yes\":\"Open the file\""), std::string::npos);
    EXPECT_EQ(state.body.find(book.texts().Text(LanguageKey::CaptionYes)), std::string::npos);
    const std::string id = std::to_string(server->questions().front().id);

    // The author's page cannot answer: it has no frame key, and cannot send the header.
    EXPECT_EQ(Ask(t + "/frame/answer?id=" + id + "&yes=1").status, 403);
    EXPECT_EQ(Ask(t + "/frame/answer?id=" + id + "&yes=1", {{"x-nbx-frame", ""}}).status, 403);
    EXPECT_EQ(Frame("answer?id=999&yes=1").status, 409);
    // A yes sooner than a reader could read the question is not taken: still asked.
    EXPECT_EQ(Frame("answer?id=" + id + "&yes=1").status, 200);
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(server->questions().size(), 1u);

    EXPECT_EQ(Answer(true).status, 200);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], ServedPage("setup.sh"));
    EXPECT_TRUE(ran.empty());
    EXPECT_FALSE(std::filesystem::exists("/tmp/nbx-served-must-not-exist"));
    // Written into a folder of the reader's own, which it removes when it ends.
    ASSERT_EQ(server->openedFolders().size(), 1u);
    EXPECT_NE(server->openedFolders()[0].find("/nbx-open-" + std::to_string(::getpid()) + "_"),
              std::string::npos);
    std::filesystem::remove_all(server->openedFolders()[0]);
}

TEST_F(BookServerTest, OnStartAndOnExitProgramsRunOnlyWhenTheReaderConfirms) {
    BuildSettings settings = ServedBookSettings();
    settings.onStart = "##RUN('/usr/bin/first')";
    settings.onExit = "##RUN('/usr/bin/last')";
    Open(settings);
    ASSERT_EQ(server->questions().size(), 1u);
    EXPECT_TRUE(ran.empty());
    const HttpAnswer state = Frame("state");
    EXPECT_NE(state.body.find("This e-book asks to run a program"), std::string::npos);
    EXPECT_NE(state.body.find("/usr/bin/first"), std::string::npos);
    // The book's own wording of the question is not used.
    EXPECT_EQ(state.body.find("This e-book wants to start"), std::string::npos);
    EXPECT_EQ(Answer(false).status, 200);
    EXPECT_TRUE(ran.empty());

    // Exit asks about the "On Exit" program; the reader ends once that is answered.
    EXPECT_EQ(Frame("exit").status, 200);
    EXPECT_FALSE(server->finished());
    ASSERT_EQ(server->questions().size(), 1u);
    EXPECT_EQ(Answer(true).status, 200);
    EXPECT_EQ(ran, std::vector<std::string>{"/usr/bin/last"});
    EXPECT_TRUE(server->finished());
}

TEST_F(BookServerTest, TheFramesLongPollWaitsForChangesAndSeesThePageShown) {
    Open();
    const std::string t = "/" + kToken;
    const HttpAnswer first = Frame("state");
    ASSERT_EQ(first.status, 200);
    const std::string seq = first.body.substr(7, first.body.find(',') - 7);
    EXPECT_EQ(Frame("state?seen=" + seq).status, -1);  // held: nothing changed
    Ask(t + "/book/chapters/keeper.htm", {{"sec-fetch-dest", "iframe"}});
    const HttpAnswer after = Frame("state?seen=" + seq);
    ASSERT_EQ(after.status, 200);
    EXPECT_NE(after.body.find("\"address\":\"/book/chapters/keeper.htm\""), std::string::npos)
        << after.body;
    EXPECT_NE(after.body.find("\"title\":\"The Keeper\""), std::string::npos);

    // Exit without an "On Exit" program ends at once.
    EXPECT_EQ(Frame("exit").status, 200);
    EXPECT_TRUE(server->finished());
}

}  // namespace
}  // namespace nbx::test

namespace nbx::test {
namespace {

TEST_F(BookServerTest, TheBooksTextsReachTheFrameAsPlainText) {
    BuildSettings settings = ServedBookSettings();
    settings.startupMessage = "Hello <b>reader</b><img src=x onerror=alert(1)>";
    settings.title = "Tom & <i>Jerry</i>";
    Open(settings);
    const HttpAnswer frame = Ask("/" + kToken + "/");
    ASSERT_EQ(frame.status, 200);
    EXPECT_NE(frame.body.find("Hello &lt;b&gt;reader&lt;/b&gt;&lt;img src=x"), std::string::npos);
    EXPECT_EQ(frame.body.find("<img src=x"), std::string::npos);
    EXPECT_NE(frame.body.find("<title>Tom &amp; &lt;i&gt;Jerry&lt;/i&gt;</title>"),
              std::string::npos);
    EXPECT_EQ(frame.body.find("<i>Jerry"), std::string::npos);
}

TEST_F(BookServerTest, TheSplashPictureShowsForTheBooksDelayWithItsBar) {
    path = dir.File("splashed");
    std::vector<TestBookFile> files = ReaderDataFiles(kProgramDir);
    files.push_back({"index.html", "<p>x</p>", "X"});
    const std::string bitmap = kProgramDir + "/splash16.bmp";
    ASSERT_EQ(WriteTestBook(dir, kProgramDir + "/eview.dat", path, ServedBookSettings(), files, {},
                            0, {bitmap, 2500, 1}),
              "");
    Serve();
    const HttpAnswer frame = Ask("/" + kToken + "/");
    EXPECT_NE(frame.body.find("<div id=\"splash\" data-delay=\"2500\">"), std::string::npos);
    EXPECT_NE(frame.body.find("class=\"bar\""), std::string::npos);
    const HttpAnswer picture = Ask("/" + kToken + "/frame/splash");
    EXPECT_EQ(picture.status, 200);
    EXPECT_EQ(picture.Header("content-type"), "image/bmp");
    EXPECT_TRUE(picture.body == ReadWholeFile(bitmap));
}

TEST_F(BookServerTest, NextAndPreviousTipsNameWhereTheyLeadWhenTheBookAsks) {
    const std::string t = "/" + kToken;
    BuildSettings tips = ServedBookSettings();
    tips.tooltipShowDestinations = 1;
    Open(tips);
    Ask(t + "/book/keeper.htm", {{"sec-fetch-dest", "iframe"}});
    const HttpAnswer withTips = Frame("state");
    EXPECT_NE(withTips.body.find("\"nextTip\":\"Next page: The Lamp\""), std::string::npos)
        << withTips.body;
    EXPECT_NE(withTips.body.find("\"previousTip\":\"Previous page: Welcome\""), std::string::npos);
}

// Titles are stored as the pages wrote them, references and all: the Contents list, the
// generated Contents page and the tips decode them once and escape them once.
TEST_F(BookServerTest, PageTitlesAreDecodedOnceAndEscapedOnce) {
    path = dir.File("titled");
    BuildSettings settings = ServedBookSettings();
    settings.contentsPopupList = 1;
    settings.tooltipShowDestinations = 1;
    std::vector<TestBookFile> files = ReaderDataFiles(kProgramDir);
    files.push_back({"index.html", "<p>x</p>", "Tips &#8212; more", "00001000", 1});
    files.push_back({"two.html", "<p>y</p>", "Fish &amp; Chips", "00001001", 1});
    ASSERT_EQ(WriteTestBook(dir, kProgramDir + "/eview.dat", path, settings, files), "");
    Serve();
    const std::string t = "/" + kToken;
    for (const std::string& body : {Ask(t + "/").body, Ask(t + "/system/contents").body}) {
        EXPECT_NE(body.find("Tips \u2014 more"), std::string::npos) << body;
        EXPECT_NE(body.find("Fish &amp; Chips"), std::string::npos) << body;
        EXPECT_EQ(body.find("&amp;#8212;"), std::string::npos);
        EXPECT_EQ(body.find("&amp;amp;"), std::string::npos);
    }
    Ask(t + "/book/index.html", {{"sec-fetch-dest", "iframe"}});
    // The state is JSON, with "&" written as \u0026 so that it cannot end a script element.
    const std::string state = Frame("state").body;
    EXPECT_NE(state.find("\"nextTip\":\"Next page: Fish \\u0026 Chips\""), std::string::npos)
        << state;
}

TEST_F(BookServerTest, TheLaunchAddressLeadsOnOnceAndIsThenUsedUp) {
    Open();
    EXPECT_EQ(server->FrameAddress(), "http://127.0.0.1:4242/" + kLaunch + "/");
    int launched = 0;
    server->OnLaunched([&launched] { ++launched; });
    EXPECT_EQ(Ask("/" + kLaunch + "/book/index.html").status, 403);  // the launch address only
    const HttpAnswer first = Ask("/" + kLaunch + "/", {{"host", "evil.example"}});
    EXPECT_EQ(first.status, 403);  // not for another host, and not used up by it
    const HttpAnswer onwards = Ask("/" + kLaunch + "/");
    EXPECT_EQ(onwards.status, 303);
    EXPECT_EQ(onwards.Header("location"), "/" + kToken + "/");
    EXPECT_EQ(Ask("/" + kLaunch + "/").status, 403);
    EXPECT_EQ(launched, 1);
    EXPECT_EQ(server->FrameAddress(), "http://127.0.0.1:4242/" + kToken + "/");
}

}  // namespace
}  // namespace nbx::test

namespace nbx::test {
namespace {

// A book whose pages keep their folders below the source folder: their addresses keep the
// folders too, so the browser resolves a page's relative links in its own folder.
TEST_F(BookServerTest, PagesInFoldersAreServedAtTheirOwnPaths) {
    path = dir.File("foldered");
    std::vector<TestBookFile> files = ReaderDataFiles(kProgramDir);
    files.push_back({"index.html", "<a href=\"guide/deep.htm\">deep</a>", "Home", "00001000", 1});
    files.push_back({"guide/deep.htm", "<img src=\"../images/red.png\">", "Deep", "00001001", 1});
    files.push_back({"images/red.png", RedPng(), ""});
    ASSERT_EQ(WriteTestBook(dir, kProgramDir + "/eview.dat", path, ServedBookSettings(), files),
              "");
    Serve({});
    const std::string t = "/" + kToken;
    EXPECT_EQ(Ask(t + "/book/guide/deep.htm").body, "<img src=\"../images/red.png\">" + kHelper);
    EXPECT_TRUE(Ask(t + "/book/images/red.png").body == RedPng());
    EXPECT_EQ(Ask(t + "/go/next?from=index.html").Header("location"), t + "/book/guide/deep.htm");
    EXPECT_NE(Ask(t + "/system/contents").body.find("href=\"" + t + "/book/guide/deep.htm\""),
              std::string::npos);
    EXPECT_NE(Ask(t + "/").body.find("href=\"" + kPages + t + "/book/guide/deep.htm\""),
              std::string::npos);
}

}  // namespace
}  // namespace nbx::test
