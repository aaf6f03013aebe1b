#include "platform/LoopbackServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/SystemError.h"

namespace nbx::platform {

namespace {

using Clock = std::chrono::steady_clock;

long MsSince(Clock::time_point then) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - then).count());
}

// Writes all of bytes to a blocking socket; a client that stops reading for long is given up.
bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
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

}  // namespace

LoopbackServerOptions ServingOptions(const char* idleVariable) {
    LoopbackServerOptions options;
    if (idleVariable != nullptr && *idleVariable != '\0') {
        options.idleMs =
            static_cast<int>(std::clamp(std::strtol(idleVariable, nullptr, 10), 50L, 60000L));
        options.startMs = options.idleMs;
    }
    return options;
}

LoopbackServer::~LoopbackServer() {
    for (Connection& c : connections_) {
        ::close(c.fd);
    }
    if (listenFd_ >= 0) {
        ::close(listenFd_);
    }
}

bool LoopbackServer::Listen(std::string& error, std::uint16_t port) {
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) {
        error = SystemErrorText(errno);
        return false;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listenFd_, 64) != 0 ||
        ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        error = SystemErrorText(errno);
        ::close(listenFd_);
        listenFd_ = -1;
        return false;
    }
    port_ = ntohs(address.sin_port);
    return true;
}

bool LoopbackServer::Answer(Connection& c, const HttpResponse& response, bool headOnly) {
    // The response goes out blocking, but never waits on a stalled reader for long.
    const int flags = ::fcntl(c.fd, F_GETFL);
    ::fcntl(c.fd, F_SETFL, flags & ~O_NONBLOCK);
    timeval limit{10, 0};
    ::setsockopt(c.fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    const bool sent = WriteAll(c.fd, SerializeHttpResponse(response, headOnly));
    ::shutdown(c.fd, SHUT_WR);
    return sent;
}

void LoopbackServer::Run(const Handler& handler, const std::function<bool()>& shouldStop,
                         const LoopbackServerOptions& options) {
    Clock::time_point lastRequest = Clock::now();
    bool asked = false;
    for (;;) {
        std::vector<pollfd> fds;
        fds.push_back({listenFd_, POLLIN, 0});
        for (const Connection& c : connections_) {
            fds.push_back({c.fd, POLLIN, 0});
        }
        const bool anyHeld = std::any_of(connections_.begin(), connections_.end(),
                                         [](const Connection& c) { return c.held.has_value(); });
        const int ready = ::poll(fds.data(), fds.size(), anyHeld ? 100 : 250);
        if (ready < 0 && errno != EINTR) {
            return;
        }
        if (ready > 0 && (fds[0].revents & POLLIN) != 0) {
            const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (fd >= 0) {
                connections_.push_back({fd, {}, Clock::now(), std::nullopt});
            }
        }
        bool stop = false;
        std::vector<bool> done(connections_.size(), false);
        for (std::size_t i = 0; i < connections_.size(); ++i) {
            Connection& c = connections_[i];
            const short events = i + 1 < fds.size() ? fds[i + 1].revents : 0;
            if ((events & (POLLIN | POLLHUP | POLLERR)) != 0) {
                char buffer[4096];
                const ssize_t n = ::recv(c.fd, buffer, sizeof buffer, 0);
                if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
                    done[i] = true;  // the client went away
                    continue;
                }
                if (n > 0 && !c.held) {
                    c.input.append(buffer, static_cast<std::size_t>(n));
                    if (c.input.size() > 2 * kMaxRequestHeadBytes + options.maxBodyBytes) {
                        done[i] = true;  // far more than any request it may send
                        continue;
                    }
                }
            }
            if (c.held) {
                const std::optional<HttpResponse> answer = handler(*c.held);
                if (answer || MsSince(c.opened) >= options.holdMs) {
                    Answer(c, answer ? *answer : PlainResponse(204), c.held->method == "HEAD");
                    done[i] = true;
                }
                continue;
            }
            HttpRequest request;
            const ParseResult parsed = ParseHttpRequest(c.input, request);
            if (parsed == ParseResult::NeedMore) {
                if (MsSince(c.opened) >= options.readTimeoutMs) {
                    done[i] = true;
                }
                continue;
            }
            lastRequest = Clock::now();
            asked = true;
            if (parsed == ParseResult::Bad) {
                Answer(c, PlainResponse(c.input.size() > kMaxRequestHeadBytes ? 431 : 400), false);
                done[i] = true;
                continue;
            }
            if (options.maxBodyBytes > 0 && request.method == "POST") {
                const std::optional<std::string_view> length = request.Header("content-length");
                const std::size_t head = RequestHeadLength(c.input);
                std::size_t size = 0;
                bool valid = length && !length->empty() && length->size() <= 9;
                for (char d : length.value_or("")) {
                    valid = valid && d >= '0' && d <= '9';
                    size = size * 10 + static_cast<std::size_t>(d - '0');
                }
                if (!valid || size > options.maxBodyBytes) {
                    Answer(c, PlainResponse(valid ? 413 : 411), false);
                    done[i] = true;
                    continue;
                }
                if (c.input.size() - head < size) {
                    if (MsSince(c.opened) >= options.readTimeoutMs) {
                        done[i] = true;
                    }
                    continue;  // the rest of the body is on its way
                }
                request.body = c.input.substr(head, size);
            }
            const std::optional<HttpResponse> answer = handler(request);
            if (!answer) {
                c.held = std::move(request);
                c.opened = Clock::now();
                continue;
            }
            Answer(c, *answer, request.method == "HEAD");
            done[i] = true;
            stop = stop || shouldStop();
        }
        for (std::size_t i = connections_.size(); i-- > 0;) {
            if (done[i]) {
                // What the client still sends is read first: closing on unread bytes would
                // reset the connection and could lose the answer on its way.
                char sink[4096];
                for (int reads = 0;
                     reads < 64 && ::recv(connections_[i].fd, sink, sizeof sink, MSG_DONTWAIT) > 0;
                     ++reads) {
                }
                ::close(connections_[i].fd);
                connections_.erase(connections_.begin() + static_cast<long>(i));
            }
        }
        if (stop) {
            return;
        }
        if (connections_.empty() &&
            MsSince(lastRequest) >= (asked ? options.idleMs : options.startMs)) {
            return;
        }
    }
}

}  // namespace nbx::platform
