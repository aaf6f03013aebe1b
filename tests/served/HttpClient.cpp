#include "HttpClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace nbx::test {

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
    answer.status = std::stoi(bytes.substr(9, 3));
    std::size_t at = bytes.find("\r\n") + 2;
    while (at < end) {
        const std::size_t lineEnd = bytes.find("\r\n", at);
        const std::string line = bytes.substr(at, lineEnd - at);
        const std::size_t colon = line.find(':');
        std::string name = line.substr(0, colon);
        for (char& c : name) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        answer.headers.emplace_back(name, line.substr(colon + 2));
        at = lineEnd + 2;
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

}  // namespace nbx::test
