// A built book run as a program: it prints its address, serves itself over HTTP on
// 127.0.0.1, refuses what is not its reader's, and ends when its window has gone or on Exit.

#include <gtest/gtest.h>

#include <unistd.h>

#include <future>
#include <thread>

#include "HttpClient.h"
#include "ReaderProcess.h"
#include "ServedBook.h"
#include "support/TempDir.h"

namespace nbx::test {
namespace {

// The headers of the frame's own requests.
std::string FrameHeaders(const std::string& key) {
    return "X-Nbx-Frame: " + key + "\r\nSec-Fetch-Site: same-origin\r\n";
}

class ServedReaderProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.File("lighthouse");
        ASSERT_EQ(WriteServedBook(dir, path, ServedBookSettings()), "");
    }

    TempDir dir;
    std::string path;
};

TEST_F(ServedReaderProcessTest, ServesItsPagesAndRefusesOthersOverTheWire) {
    ReaderProcess reader;
    ASSERT_TRUE(reader.Start(path, {"BROWSER=true", "NBX_READER_IDLE_MS=60000"}));
    EXPECT_EQ(reader.token.size(), 32u);  // 128 bits
    // The address the browser was given is used up; a local process reading the browser's
    // command line finds a dead one.
    ASSERT_FALSE(reader.launchAddress.empty());
    const std::string launchPath = reader.launchAddress.substr(reader.launchAddress.find('/', 7));
    EXPECT_EQ(Get(reader.port, launchPath).status, 403);
    EXPECT_EQ(reader.launchAddress.find(reader.token), std::string::npos);
    const std::uint16_t port = reader.pagePort;
    ASSERT_NE(port, reader.port);
    const std::string host = "Host: 127.0.0.1:" + std::to_string(port) + "\r\n";
    struct Case {
        std::string what;
        std::string raw;
        int status;
        std::string body;  // exact, when not empty
    };
    const std::string b = reader.base;
    const Case cases[] = {
        {"a page", "GET " + b + "/book/index.html HTTP/1.1\r\n" + host + "\r\n", 200,
         ServedPage("index.html") + "\n<script src=\"" + b + "/reader.js\"></script>\n"},
        {"a picture", "GET " + b + "/book/images/red.png HTTP/1.1\r\n" + host + "\r\n", 200,
         RedPng()},
        {"HEAD", "HEAD " + b + "/book/images/red.png HTTP/1.1\r\n" + host + "\r\n", 200, ""},
        {"a missing page", "GET " + b + "/book/nothing.htm HTTP/1.1\r\n" + host + "\r\n", 404, ""},
        {"no token", "GET /book/index.html HTTP/1.1\r\n" + host + "\r\n", 403, ""},
        {"a wrong Host", "GET " + b + "/book/index.html HTTP/1.1\r\nHost: attacker.test\r\n\r\n",
         403, ""},
        {"a POST",
         "POST " + b + "/book/index.html HTTP/1.1\r\n" + host + "Content-Length: 3\r\n\r\nabc", 405,
         ""},
        {"climbing", "GET " + b + "/book/%2e%2e/%2e%2e/etc/passwd HTTP/1.1\r\n" + host + "\r\n",
         400, ""},
        {"not HTTP", "HELLO\r\n\r\n", 400, ""},
        {"a huge head",
         "GET " + b + "/book/index.html HTTP/1.1\r\n" + host + "X: " + std::string(20000, 'a') +
             "\r\n\r\n",
         431, ""},
        {"too many headers",
         [&] {
             std::string raw = "GET " + b + "/book/index.html HTTP/1.1\r\n" + host;
             for (int i = 0; i < 100; ++i) {
                 raw += "X-" + std::to_string(i) + ": 1\r\n";
             }
             return raw + "\r\n";
         }(),
         400, ""},
    };
    // Clients that connect and stay silent, or stop half-way, hold up no one.
    const int silent = OpenConnection(port, "");
    const int halfway = OpenConnection(port, "GET " + b + "/book/index.html HTTP/1.1\r\nHo");
    ASSERT_GE(silent, 0);
    ASSERT_GE(halfway, 0);
    for (const Case& c : cases) {
        const HttpAnswer a = SendRaw(port, c.raw);
        EXPECT_EQ(a.status, c.status) << c.what;
        if (!c.body.empty()) {
            EXPECT_TRUE(a.body == c.body) << c.what;
        }
    }
    ::close(silent);
    ::close(halfway);
    // The server is still there for its reader after all that.
    EXPECT_EQ(Get(port, b + "/book/index.html").status, 200);
    const std::string key = FrameKeyOf(Get(reader.port, b + "/").body);
    ASSERT_EQ(key.size(), 32u);
    EXPECT_NE(key, reader.token);
    EXPECT_EQ(Get(reader.port, b + "/frame/exit", FrameHeaders(key)).status, 200);
    EXPECT_EQ(reader.WaitExit(30000), 0);  // Exit ends the reader
}

TEST_F(ServedReaderProcessTest, LivesWhileItsWindowIsOpenAndEndsSoonAfterItHasGone) {
    ReaderProcess reader;
    ASSERT_TRUE(reader.Start(path, {"BROWSER=true", "NBX_READER_IDLE_MS=300"}));
    const std::string key = FrameKeyOf(Get(reader.port, reader.base + "/").body);
    ASSERT_FALSE(key.empty());
    // The window's long poll: held while nothing changes, however long, which keeps the
    // reader alive.
    const std::string seq = [&] {
        const std::string body =
            Get(reader.port, reader.base + "/frame/state", FrameHeaders(key)).body;
        return body.substr(7, body.find(',') - 7);
    }();
    auto poll = std::async(std::launch::async, [&] {
        return Get(reader.port, reader.base + "/frame/state?seen=" + seq, FrameHeaders(key));
    });
    // Connections without the secret, open or asking, keep nothing alive once the window is
    // gone; while it is there, they do not end it either.
    const int stranger = OpenConnection(reader.port, "GET / HTTP/1.1\r\nHo");
    EXPECT_EQ(reader.WaitExit(3000), -1);  // ten idle times, still serving the window
    // A page shown in the window ends the poll with the news.
    Get(reader.pagePort, reader.base + "/book/index.html", "Sec-Fetch-Dest: iframe\r\n");
    const HttpAnswer news = poll.get();
    EXPECT_EQ(news.status, 200);
    EXPECT_NE(news.body.find("/book/index.html"), std::string::npos);
    // The window is gone: nobody with the secret asks anything, and the reader ends by
    // itself, though a stranger still holds a connection and knocks again.
    Get(reader.port, "/", "");
    EXPECT_EQ(reader.WaitExit(30000), 0);
    ::close(stranger);
}

TEST_F(ServedReaderProcessTest, EndsWhenNoBrowserEverComes) {
    ReaderProcess reader;
    ASSERT_TRUE(reader.Start(path, {"BROWSER=true", "NBX_READER_IDLE_MS=200"}));
    EXPECT_EQ(reader.WaitExit(30000), 0);
}

}  // namespace
}  // namespace nbx::test
