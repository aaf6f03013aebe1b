#include "HttpClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>

namespace nbx::test {

namespace {

bool AllDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [](unsigned char c) { return std::isdigit(c) != 0; });
}

}  // namespace

std::string HttpAnswer::Header(const std::string& lowerName) const {
    for (const auto& [name, value] : headers) {
        if (name == lowerName) {
            return value;
        }
    }
    return {};
}

HttpAnswer ParseAnswer(const std::string& bytes) {
    HttpAnswer answer;
    const std::size_t end = bytes.find("\r\n\r\n");
    if (bytes.rfind("HTTP/1.1 ", 0) != 0 || end == std::string::npos) {
        return answer;
    }
    const std::string code = bytes.substr(9, 3);
    if (code.size() != 3 || !AllDigits(code)) {
        return answer;
    }
    answer.status = std::stoi(code);
    std::size_t at = bytes.find("\r\n") + 2;
    while (at < end) {
        const std::size_t lineEnd = bytes.find("\r\n", at);
        const std::string line = bytes.substr(at, lineEnd - at);
        at = lineEnd + 2;
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) {
            continue;
        }
        std::string name = line.substr(0, colon);
        for (char& c : name) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        // Some servers (ChromeDriver) write no space after the colon.
        const std::size_t valueStart = line.find_first_not_of(' ', colon + 1);
        answer.headers.emplace_back(
            name, valueStart == std::string::npos ? std::string() : line.substr(valueStart));
    }
    answer.body = bytes.substr(end + 4);
    return answer;
}

HttpAnswer FromResponse(const platform::HttpResponse& response) {
    return ParseAnswer(platform::SerializeHttpResponse(response, false));
}

HttpAnswer Exchange(platform::HttpService& service, const platform::HttpRequest& request) {
    std::optional<platform::HttpResponse> response = service.Admit(request);
    if (!response) {
        response = service.Handle(request);
    }
    if (!response) {
        HttpAnswer held;
        held.status = -1;
        return held;
    }
    return FromResponse(*response);
}

int OpenConnection(std::uint16_t port, const std::string& sent) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    if (!sent.empty()) {
        (void)!::send(fd, sent.data(), sent.size(), MSG_NOSIGNAL);
    }
    return fd;
}

HttpAnswer SendRaw(std::uint16_t port, const std::string& raw) {
    const int fd = OpenConnection(port, {});
    if (fd < 0) {
        return {};
    }
    timeval limit{20, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    std::size_t sent = 0;
    while (sent < raw.size()) {
        const ssize_t n = ::send(fd, raw.data() + sent, raw.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) {
            break;
        }
        sent += static_cast<std::size_t>(n);
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ParseAnswer(bytes);
}

HttpAnswer Get(std::uint16_t port, const std::string& target, const std::string& extra) {
    return SendRaw(port, "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                             "\r\n" + extra + "\r\n");
}

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds left until deadline, at least 0.
int LeftMs(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Waits for events on fd until deadline; false on timeout or error.
bool WaitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, LeftMs(deadline));
        if (n > 0) {
            return true;
        }
        if (n == 0 || errno != EINTR) {
            return false;
        }
    }
}

// A non-blocking socket connected to 127.0.0.1:port, or -1.
int ConnectBefore(std::uint16_t port, Clock::time_point deadline) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return -1;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        return fd;
    }
    int error = errno;
    if (error == EINPROGRESS && WaitFor(fd, POLLOUT, deadline)) {
        socklen_t size = sizeof error;
        ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size);
        if (error == 0) {
            return fd;
        }
    }
    ::close(fd);
    return -1;
}

// True when bytes hold a whole answer: headers and as much body as Content-Length says.
bool AnswerComplete(const std::string& bytes) {
    const std::size_t end = bytes.find("\r\n\r\n");
    if (end == std::string::npos) {
        return false;
    }
    const std::string length = ParseAnswer(bytes.substr(0, end + 4)).Header("content-length");
    if (!AllDigits(length) || length.size() > 12) {
        return false;  // read until the server closes
    }
    return bytes.size() - (end + 4) >= std::stoull(length);
}

}  // namespace

HttpAnswer Request(std::uint16_t port, const std::string& method, const std::string& target,
                   const std::string& body, int timeoutMs) {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    const int fd = ConnectBefore(port, deadline);
    if (fd < 0) {
        return {};
    }
    std::string raw = method + " " + target +
                      " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                      "\r\nConnection: close\r\n";
    if (method != "GET" || !body.empty()) {
        raw += "Content-Type: application/json; charset=utf-8\r\nContent-Length: " +
               std::to_string(body.size()) + "\r\n";
    }
    raw += "\r\n" + body;
    std::size_t sent = 0;
    while (sent < raw.size()) {
        const ssize_t n = ::send(fd, raw.data() + sent, raw.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR) && WaitFor(fd, POLLOUT, deadline)) {
            continue;
        } else {
            ::close(fd);
            return {};
        }
    }
    std::string bytes;
    bool whole = false;
    char buffer[65536];
    while (!whole && WaitFor(fd, POLLIN, deadline)) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            bytes.append(buffer, static_cast<std::size_t>(n));
            whole = AnswerComplete(bytes);
        } else if (n == 0) {
            whole = bytes.find("\r\n\r\n") != std::string::npos;
            break;
        } else if (errno != EAGAIN && errno != EINTR) {
            break;
        }
    }
    ::close(fd);
    return whole ? ParseAnswer(bytes) : HttpAnswer{};
}

}  // namespace nbx::test
