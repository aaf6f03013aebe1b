#pragma once
// A tiny HTTP client for the served reader's tests: raw bytes out, the whole answer in.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/HttpMessage.h"
#include "platform/LoopbackServer.h"

namespace nbx::test {

struct HttpAnswer {
    int status = 0;  // 0: no answer (connection refused or closed without one)
    std::vector<std::pair<std::string, std::string>> headers;  // names lower-cased
    std::string body;
    std::string Header(const std::string& lowerName) const;
};

// Sends raw to 127.0.0.1:port and reads until the server closes the connection.
HttpAnswer SendRaw(std::uint16_t port, const std::string& raw);

// A connection that has sent bytes and waits, sending nothing more; the caller closes it.
int OpenConnection(std::uint16_t port, const std::string& sent);

// A GET with the right Host header and extra header lines ("Name: value\r\n").
HttpAnswer Get(std::uint16_t port, const std::string& target, const std::string& extra = "");

// One request with a body (e.g. JSON for a WebDriver) and a limit on the whole exchange:
// connecting, sending and reading the answer, which ends at its Content-Length or when the
// server closes. Status 0 when no whole answer came within timeoutMs.
HttpAnswer Request(std::uint16_t port, const std::string& method, const std::string& target,
                   const std::string& body, int timeoutMs);

// Parses a whole response ("HTTP/1.1 200 OK\r\n...").
HttpAnswer ParseAnswer(const std::string& bytes);

// The answer a BookServer-like handler gives, as if it had come over the wire.
HttpAnswer FromResponse(const platform::HttpResponse& response);

// What service answers request as LoopbackServer asks it: the head's admission first, then
// the request. Status -1: held.
HttpAnswer Exchange(platform::HttpService& service, const platform::HttpRequest& request);

}  // namespace nbx::test
