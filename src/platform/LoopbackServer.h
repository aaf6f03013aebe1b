#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for one local reader: one thread, one request per
// connection, every connection polled so that a client that sends nothing holds up no one.
//
// A handler may hold a request (a long poll) by answering nothing; the server then asks it
// again at each turn until it answers or the hold time passes. While a held request's
// connection stays open the reader's window is known to be there: the server ends when no
// connection is open and nothing has been asked for idleMs, or when the handler says so.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/HttpMessage.h"

namespace nbx::platform {

struct LoopbackServerOptions {
    int idleMs = 15000;         // no open connection and no request for this long: end
    int startMs = 60000;        // how long the first request may take to come (a browser starting)
    int holdMs = 20000;         // a held request is answered with 204 after this long
    int readTimeoutMs = 10000;  // a connection whose request has not arrived by then is closed
    // A POST's body is read up to this size (by its Content-Length) before the handler sees
    // the request; 0 takes no bodies (the handler sees the head and refuses the method).
    std::size_t maxBodyBytes = 0;
};

// The options of a program's server: idleMs and startMs from the value of
// $NBX_READER_IDLE_MS when it is set (kept between 50 ms and a minute; tests set it), else a
// window may be gone for 15 seconds and a browser may take a minute to come.
LoopbackServerOptions ServingOptions(const char* idleVariable);

class LoopbackServer {
public:
    // Answers a request, or nothing to hold it (asked again at each turn).
    using Handler = std::function<std::optional<HttpResponse>(const HttpRequest&)>;

    LoopbackServer() = default;
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    // Listens on 127.0.0.1 at a free port (or port when not 0). False with error set.
    bool Listen(std::string& error, std::uint16_t port = 0);
    std::uint16_t port() const { return port_; }

    // Serves until idle (see above) or until shouldStop returns true after a request.
    void Run(const Handler& handler, const std::function<bool()>& shouldStop,
             const LoopbackServerOptions& options);

private:
    struct Connection {
        int fd = -1;
        std::string input;
        std::chrono::steady_clock::time_point opened;
        std::optional<HttpRequest> held;  // a request the handler holds
    };

    bool Answer(Connection& c, const HttpResponse& response, bool headOnly);

    int listenFd_ = -1;
    std::uint16_t port_ = 0;
    std::vector<Connection> connections_;
};

}  // namespace nbx::platform
