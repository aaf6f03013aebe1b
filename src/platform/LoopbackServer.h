#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for one local user: one thread, one request per
// connection, every connection polled so that a client that sends nothing holds up no one.
//
// What a server that faces every process of the machine needs, before any service sees a
// byte: a connection made by another user's process is closed unanswered (where the system
// can tell who made it); the open connections and the bytes held for them are capped; a head
// is parsed within fixed bounds, and the service admits or refuses it before its body is
// read; running out of descriptors pauses accepting instead of spinning.
//
// A service may hold a request (a long poll) by answering nothing; it is asked again at every
// turn (at least once a second, and after every request it answered) until it answers or its
// client goes away. The service says when the server is done.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/HttpMessage.h"
#include "platform/LoopbackPeer.h"
#include "platform/SocketCalls.h"

namespace nbx::platform {

class HttpService {
public:
    virtual ~HttpService() = default;
    // The head of a request, before any body is read: a response that refuses (or answers)
    // it, or nothing to go on.
    virtual std::optional<HttpResponse> Admit(const HttpRequest& head) = 0;
    // The response to an admitted request, or nothing to hold it.
    virtual std::optional<HttpResponse> Handle(const HttpRequest& request) = 0;
    // Asked at every turn, with the number of requests held open: true ends Run.
    virtual bool Finished(std::size_t heldOpen) = 0;
};

struct LoopbackServerOptions {
    int readTimeoutMs = 10000;  // a request that has not arrived whole by then is dropped
    // A POST's body is read up to this size (by its Content-Length) once its head is
    // admitted; 0 takes no bodies.
    std::size_t maxBodyBytes = 0;
    std::size_t maxConnections = 32;           // more wait in the listening queue
    std::size_t maxBufferedBytes = 16u << 20;  // of requests being read, all connections
    // The user whose processes may connect; another user's connection is closed unanswered.
    // Nothing: anyone's (a test).
    std::optional<UserId> owner;
};

class LoopbackServer {
public:
    LoopbackServer() = default;
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    // Listens on one more port of 127.0.0.1 (a free one). Its number, or 0 with error set.
    std::uint16_t Listen(std::string& error);

    // Serves until the service is finished. Requests carry the port they came in on.
    void Run(HttpService& service, const LoopbackServerOptions& options);

private:
    struct Connection {
        SocketHandle fd = kNoSocket;
        std::uint16_t port = 0;
        std::string input;
        std::chrono::steady_clock::time_point opened;
        bool admitted = false;
        std::optional<HttpRequest> held;  // a request the service holds
    };
    struct Listener {
        SocketHandle fd = kNoSocket;
        std::uint16_t port = 0;
    };

    void Accept(const Listener& listener, const LoopbackServerOptions& options);
    // Reads what the client sent; false when the connection is done with.
    bool Receive(Connection& c, const LoopbackServerOptions& options, std::size_t& buffered);
    // Takes the request further; false when the connection is done with.
    bool Serve(Connection& c, HttpService& service, const LoopbackServerOptions& options);
    static void Answer(Connection& c, const HttpResponse& response, bool headOnly);
    void Close(std::size_t index);

    std::vector<Listener> listeners_;
    std::vector<Connection> connections_;
    std::chrono::steady_clock::time_point acceptPausedUntil_{};
};

}  // namespace nbx::platform
