// The server under the reader and the Rebrander, over real sockets, against the clients a
// server that faces every local process meets: another user, a body nobody asked for, too
// many connections, too many bytes, no descriptors left, a client that goes away mid-wait.

#include "platform/LoopbackServer.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <mutex>
#include <thread>

#include "HttpClient.h"
#include "support/AsNobody.h"

namespace nbx::test {
namespace {

using platform::HttpRequest;
using platform::HttpResponse;
using platform::PlainResponse;

// Admits "/ok..." (and refuses the rest unread), holds "/hold" until "/release" has come,
// echoes a POST's body, and ends on "/stop".
class ScriptedService : public platform::HttpService {
public:
    std::optional<HttpResponse> Admit(const HttpRequest& head) override {
        ++admitted;
        if (!head.target.starts_with("/ok")) {
            return PlainResponse(403);
        }
        return std::nullopt;
    }
    std::optional<HttpResponse> Handle(const HttpRequest& request) override {
        if (request.target == "/ok/hold" && !released) {
            return std::nullopt;
        }
        released = released || request.target == "/ok/release";
        stop = stop || request.target == "/ok/stop";
        HttpResponse response = PlainResponse(200);
        response.body = request.method == "POST" ? request.body : request.target;
        return response;
    }
    bool Finished(std::size_t heldOpen) override {
        held = heldOpen;
        return stop;
    }

    std::atomic<int> admitted = 0;
    std::atomic<std::size_t> held = 0;
    bool released = false;
    bool stop = false;
};

class LoopbackServerTest : public ::testing::Test {
protected:
    void Start(platform::LoopbackServerOptions options = {}) {
        std::string error;
        port = server.Listen(error);
        ASSERT_NE(port, 0) << error;
        thread = std::thread([this, options] { server.Run(service, options); });
    }
    void TearDown() override {
        if (thread.joinable()) {
            Get(port, "/ok/stop");
            thread.join();
        }
    }

    platform::LoopbackServer server;
    ScriptedService service;
    std::uint16_t port = 0;
    std::thread thread;
};

std::string Post(std::size_t length, const std::string& body) {
    return "POST /ok/echo HTTP/1.1\r\nHost: x\r\nContent-Length: " + std::to_string(length) +
           "\r\n\r\n" + body;
}

// Reads what the server sends until it closes; "" when it closes without a word.
std::string ReadAll(int fd) {
    timeval limit{20, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    std::string bytes;
    char buffer[4096];
    for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;) {
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

TEST_F(LoopbackServerTest, BodiesAreReadOnlyForAdmittedRequestsAndOnlyUpToTheirLimit) {
    platform::LoopbackServerOptions options;
    options.maxBodyBytes = 1000;
    Start(options);
    EXPECT_EQ(SendRaw(port, Post(5, "hello")).body, "hello");
    EXPECT_EQ(SendRaw(port, Post(1001, std::string(1001, 'x'))).status, 413);
    EXPECT_EQ(SendRaw(port, "POST /ok/echo HTTP/1.1\r\nHost: x\r\n\r\n").status, 411);
    EXPECT_EQ(SendRaw(port, Post(5, "hello").replace(6, 7, "/no/ech")).status, 403);
    // A refused head is answered at once, while its announced body is still on its way.
    const int fd =
        OpenConnection(port, "POST /refused HTTP/1.1\r\nHost: x\r\nContent-Length: 900\r\n\r\n");
    ASSERT_GE(fd, 0);
    EXPECT_EQ(ParseAnswer(ReadAll(fd)).status, 403);
    ::close(fd);
}

TEST_F(LoopbackServerTest, AnotherUsersConnectionIsClosedUnanswered) {
    platform::LoopbackServerOptions options;
    options.owner = ::geteuid();
    Start(options);
    const int before = service.admitted;
    const std::string theirs = RunAsNobody([&] {
        const int fd = OpenConnection(port, "GET /ok/secret HTTP/1.1\r\nHost: x\r\n\r\n");
        if (fd < 0) {
            return std::string("refused");
        }
        std::string answer = ReadAll(fd);
        ::close(fd);
        return "answered: '" + answer + "'";
    });
    EXPECT_EQ(theirs, "answered: ''");
    EXPECT_EQ(service.admitted, before);  // the service never saw it
    EXPECT_EQ(Get(port, "/ok/mine").status, 200);
}

TEST_F(LoopbackServerTest, AHeldRequestIsAnsweredOnceWhatItWaitsForHasComeAndDropsWithItsClient) {
    Start();
    const int waiting = OpenConnection(port, "GET /ok/hold HTTP/1.1\r\nHost: x\r\n\r\n");
    const int leaving = OpenConnection(port, "GET /ok/hold HTTP/1.1\r\nHost: x\r\n\r\n");
    for (int i = 0; i < 200 && service.held != 2; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(service.held, 2u);
    ::close(leaving);
    for (int i = 0; i < 200 && service.held != 1; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(service.held, 1u);  // a client that went away holds nothing
    EXPECT_EQ(Get(port, "/ok/release").status, 200);
    EXPECT_EQ(ParseAnswer(ReadAll(waiting)).body, "/ok/hold");
    ::close(waiting);
}

TEST_F(LoopbackServerTest, OpenConnectionsAndHeldBytesAreCapped) {
    platform::LoopbackServerOptions options;
    options.maxConnections = 4;
    options.maxBodyBytes = 60000;
    options.maxBufferedBytes = 80000;
    options.readTimeoutMs = 5000;
    Start(options);
    // Two bodies of 60,000 bytes, each three quarters sent: the server holds at most 80,000.
    const int first = OpenConnection(port, Post(60000, std::string(45000, 'a')));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const int second = OpenConnection(port, Post(60000, std::string(45000, 'b')));
    EXPECT_EQ(ParseAnswer(ReadAll(second)).status, 503);
    ::close(second);
    ASSERT_EQ(::send(first, std::string(15000, 'a').data(), 15000, MSG_NOSIGNAL), 15000);
    EXPECT_TRUE(ParseAnswer(ReadAll(first)).body == std::string(60000, 'a'));
    ::close(first);
    // Silent clients fill every place; the next client waits its turn, and is served once
    // they have been given up.
    int silent[4];
    for (int& fd : silent) {
        fd = OpenConnection(port, "");
    }
    EXPECT_EQ(Get(port, "/ok/after").body, "/ok/after");
    for (int fd : silent) {
        ::close(fd);
    }
}

// Out of descriptors, the server waits for some to be freed instead of spinning on a
// listener it cannot serve, and serves again once they are.
TEST(LoopbackServerLimitsTest, OutOfDescriptorsItPausesAndComesBack) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        platform::LoopbackServer server;
        std::string error;
        const std::uint16_t port = server.Listen(error);
        rlimit few{16, 16};
        ::setrlimit(RLIMIT_NOFILE, &few);
        (void)!::write(ready[1], &port, sizeof port);
        ::close(ready[1]);
        ScriptedService service;
        platform::LoopbackServerOptions options;
        options.readTimeoutMs = 60000;
        server.Run(service, options);
        ::_exit(0);
    }
    ::close(ready[1]);
    std::uint16_t port = 0;
    ASSERT_EQ(::read(ready[0], &port, sizeof port), static_cast<ssize_t>(sizeof port));
    ::close(ready[0]);
    std::vector<int> clients;
    for (int i = 0; i < 30; ++i) {
        clients.push_back(OpenConnection(port, ""));
    }
    // CPU time the server spends while every descriptor it may have is taken.
    auto cpu = [child] {
        std::ifstream stat("/proc/" + std::to_string(child) + "/stat");
        std::string field;
        for (int i = 0; i < 13; ++i) {
            stat >> field;
        }
        long user = 0;
        long system = 0;
        stat >> user >> system;
        return user + system;
    };
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const long before = cpu();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const long spent = cpu() - before;
    EXPECT_LT(spent, ::sysconf(_SC_CLK_TCK) / 2) << "clock ticks in two seconds";
    for (int fd : clients) {
        ::close(fd);
    }
    EXPECT_EQ(Get(port, "/ok/back").body, "/ok/back");
    Get(port, "/ok/stop");
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
}

}  // namespace
}  // namespace nbx::test
