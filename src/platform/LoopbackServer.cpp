#include "platform/LoopbackServer.h"

#include <algorithm>
#include <cerrno>

#include "platform/LoopbackPeer.h"
#include "platform/SocketCalls.h"
#include "platform/SystemError.h"

namespace nbx::platform {

namespace {

using Clock = std::chrono::steady_clock;

long MsSince(Clock::time_point then) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - then).count());
}

// Writes all of bytes to a blocking socket; a client that stops reading for long is given up.
bool WriteAll(SocketHandle fd, std::string_view bytes, bool more) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const long n = SendSome(fd, bytes.data() + done, bytes.size() - done,
                                kSendNoSignal | (more ? kSendMore : 0));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The length a POST announces: nothing when it is missing or not a plain decimal number.
std::optional<std::size_t> ContentLength(const HttpRequest& request) {
    const std::optional<std::string_view> length = request.Header("content-length");
    if (!length || length->empty() || length->size() > 9) {
        return std::nullopt;
    }
    std::size_t size = 0;
    for (char d : *length) {
        if (d < '0' || d > '9') {
            return std::nullopt;
        }
        size = size * 10 + static_cast<std::size_t>(d - '0');
    }
    return size;
}

}  // namespace

LoopbackServer::~LoopbackServer() {
    for (Connection& c : connections_) {
        CloseSocket(c.fd);
    }
    for (Listener& l : listeners_) {
        CloseSocket(l.fd);
    }
}

std::uint16_t LoopbackServer::Listen(std::string& error) {
    const SocketHandle fd = NewStreamSocket();
    if (fd == kNoSocket) {
        error = SystemErrorText(errno);
        return 0;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 64) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        error = SystemErrorText(SocketError());
        CloseSocket(fd);
        return 0;
    }
    listeners_.push_back({fd, ntohs(address.sin_port)});
    return listeners_.back().port;
}

void LoopbackServer::Accept(const Listener& listener, const LoopbackServerOptions& options) {
    while (connections_.size() < options.maxConnections) {
        const SocketHandle fd = AcceptNonBlocking(listener.fd);
        if (fd == kNoSocket) {
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
                // Out of descriptors or memory: the waiting connections stay queued until
                // some close, and the server does not spin on a listener it cannot serve.
                acceptPausedUntil_ = Clock::now() + std::chrono::milliseconds(250);
            }
            return;
        }
        if (options.owner) {
            const std::optional<UserId> peer = LoopbackPeerUser(fd);
            if (peer && *peer != *options.owner) {
                CloseSocket(fd);  // another user's process: not a word to it
                continue;
            }
        }
        connections_.push_back({fd, listener.port, {}, Clock::now(), false, std::nullopt});
    }
}

bool LoopbackServer::Receive(Connection& c, const LoopbackServerOptions& options,
                             std::size_t& buffered) {
    char buffer[16384];
    const long n = ReceiveSome(c.fd, buffer, sizeof buffer);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
        return false;  // the client went away
    }
    if (n < 0 || c.held) {
        return true;  // nothing read, or bytes after a held request: not wanted
    }
    const auto size = static_cast<std::size_t>(n);
    const std::size_t limit = kMaxRequestHeadBytes + 4 + (c.admitted ? options.maxBodyBytes : 0);
    if (c.input.size() + size > limit) {
        Answer(c, PlainResponse(c.admitted ? 413 : 431), false);
        return false;
    }
    if (buffered + size > options.maxBufferedBytes) {
        Answer(c, PlainResponse(503), false);  // others hold all the server will hold
        return false;
    }
    c.input.append(buffer, size);
    buffered += size;
    return true;
}

bool LoopbackServer::Serve(Connection& c, HttpService& service,
                           const LoopbackServerOptions& options) {
    if (c.held) {
        const std::optional<HttpResponse> answer = service.Handle(*c.held);
        if (!answer) {
            return true;
        }
        Answer(c, *answer, c.held->method == "HEAD");
        return false;
    }
    HttpRequest request;
    const ParseResult parsed = ParseHttpRequest(c.input, request);
    if (parsed == ParseResult::NeedMore) {
        return MsSince(c.opened) < options.readTimeoutMs;
    }
    if (parsed == ParseResult::Bad) {
        Answer(c, PlainResponse(c.input.size() > kMaxRequestHeadBytes ? 431 : 400), false);
        return false;
    }
    request.localPort = c.port;
    if (!c.admitted) {
        if (const std::optional<HttpResponse> refused = service.Admit(request)) {
            Answer(c, *refused, request.method == "HEAD");
            return false;
        }
        c.admitted = true;
    }
    if (request.method == "POST") {
        const std::optional<std::size_t> length = ContentLength(request);
        if (!length || *length > options.maxBodyBytes) {
            Answer(c, PlainResponse(length ? 413 : 411), false);
            return false;
        }
        const std::size_t head = RequestHeadLength(c.input);
        if (c.input.size() - head < *length) {
            return MsSince(c.opened) < options.readTimeoutMs;  // the rest is on its way
        }
        request.body = c.input.substr(head, *length);
    }
    c.input.clear();
    c.input.shrink_to_fit();
    const std::optional<HttpResponse> answer = service.Handle(request);
    if (!answer) {
        c.held = std::move(request);
        return true;
    }
    Answer(c, *answer, request.method == "HEAD");
    return false;
}

void LoopbackServer::Answer(Connection& c, const HttpResponse& response, bool headOnly) {
    // The response goes out blocking, but never waits on a stalled reader for long.
    SetNonBlocking(c.fd, false);
    SetSendTimeoutSeconds(c.fd, 10);
    const bool body = !headOnly && !response.body.empty();
    const bool tail = !headOnly && !response.tail.empty();
    (void)(WriteAll(c.fd, HttpResponseHead(response), body || tail) &&
           (!body || WriteAll(c.fd, response.body, tail)) &&
           (!tail || WriteAll(c.fd, response.tail, false)));
    ::shutdown(c.fd, kShutWrite);
}

void LoopbackServer::Close(std::size_t index) {
    // What the client still sends is read first: closing on unread bytes would reset the
    // connection and could lose the answer on its way.
    char sink[4096];
    SetNonBlocking(connections_[index].fd, true);
    for (int reads = 0; reads < 16 && ReceiveSome(connections_[index].fd, sink, sizeof sink) > 0;
         ++reads) {
    }
    CloseSocket(connections_[index].fd);
    connections_.erase(connections_.begin() + static_cast<long>(index));
}

void LoopbackServer::Run(HttpService& service, const LoopbackServerOptions& options) {
    for (;;) {
        const auto held = static_cast<std::size_t>(
            std::count_if(connections_.begin(), connections_.end(),
                          [](const Connection& c) { return c.held.has_value(); }));
        if (service.Finished(held)) {
            return;
        }
        std::vector<pollfd> fds;
        const bool accepting =
            connections_.size() < options.maxConnections && Clock::now() >= acceptPausedUntil_;
        for (const Listener& l : listeners_) {
            fds.push_back({l.fd, static_cast<short>(accepting ? POLLIN : 0), 0});
        }
        for (const Connection& c : connections_) {
            fds.push_back({c.fd, POLLIN, 0});
        }
        const bool reading = held < connections_.size();
        if (PollSockets(fds.data(), fds.size(), reading || !accepting ? 100 : 1000) < 0 &&
            errno != EINTR) {
            return;
        }
        for (std::size_t i = 0; i < listeners_.size(); ++i) {
            if ((fds[i].revents & POLLIN) != 0) {
                Accept(listeners_[i], options);
            }
        }
        std::size_t buffered = 0;
        for (const Connection& c : connections_) {
            buffered += c.input.size();
        }
        std::vector<bool> done(connections_.size(), false);
        for (std::size_t i = 0; i < connections_.size(); ++i) {
            Connection& c = connections_[i];
            const std::size_t slot = listeners_.size() + i;
            const short events = slot < fds.size() ? fds[slot].revents : 0;
            if ((events & (POLLIN | POLLHUP | POLLERR)) != 0 && !Receive(c, options, buffered)) {
                done[i] = true;
                continue;
            }
            if (!c.held) {
                done[i] = !Serve(c, service, options);
            }
        }
        // Held requests are asked again at every turn: what was just answered may be what
        // they wait for.
        for (std::size_t i = 0; i < connections_.size(); ++i) {
            if (!done[i] && connections_[i].held) {
                done[i] = !Serve(connections_[i], service, options);
            }
        }
        for (std::size_t i = connections_.size(); i-- > 0;) {
            if (done[i]) {
                Close(i);
            }
        }
    }
}

}  // namespace nbx::platform
