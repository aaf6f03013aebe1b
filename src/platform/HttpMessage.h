#pragma once
// The little of HTTP/1.1 the served reader needs: one request head parsed with bounds, one
// response per connection, which is then closed.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nbx::platform {

// A request head is refused past these bounds: a browser's requests to the reader are far
// smaller, and a local process that sends more gets nothing but a refusal.
inline constexpr std::size_t kMaxRequestHeadBytes = 16 * 1024;
inline constexpr std::size_t kMaxRequestHeaders = 64;

struct HttpRequest {
    std::string method;  // as sent ("GET")
    std::string target;  // the request target as sent ("/abc/book/x.htm?q=1")
    std::vector<std::pair<std::string, std::string>> headers;  // names lower-cased
    std::string body;             // read only where the server takes bodies (see LoopbackServer)
    std::uint16_t localPort = 0;  // the port of ours that the request came in on

    // The first header of that lower-case name, or nothing.
    std::optional<std::string_view> Header(std::string_view lowerName) const;
};

enum class ParseResult { Complete, NeedMore, Bad };

// Parses the head at the start of bytes (up to the blank line). Bad when it is malformed, is
// longer than kMaxRequestHeadBytes or has more than kMaxRequestHeaders headers; NeedMore when
// the blank line has not arrived yet. The body is left to the caller (see
// RequestHeadLength).
ParseResult ParseHttpRequest(std::string_view bytes, HttpRequest& request);

// The length of the head at the start of bytes, blank line included; 0 when incomplete.
std::size_t RequestHeadLength(std::string_view bytes);

struct HttpResponse {
    int status = 200;
    std::string contentType;  // empty: no Content-Type header
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    std::string tail;  // sent after the body, so a large body is never copied to add to it
};

// The reason phrase of the statuses the reader uses ("Not Found").
std::string_view ReasonPhrase(int status);

// The status line and headers of response, with Content-Length and Connection: close, up to
// the blank line. A header whose name or value holds CR, LF or NUL is left out: no text of a
// book can start a header or a response of its own.
std::string HttpResponseHead(const HttpResponse& response);

// The response as bytes: the head, then the body and tail unless headOnly.
std::string SerializeHttpResponse(const HttpResponse& response, bool headOnly);

// A plain-text response of status with its reason phrase as the body.
HttpResponse PlainResponse(int status);

// "%XX" decoded; nothing when an escape is malformed. With plusIsSpace (a query), '+' is a
// blank.
std::optional<std::string> PercentDecode(std::string_view text, bool plusIsSpace);

// Every byte but letters, digits and "-._~" (and "/" when keepSlash) as "%XX".
std::string PercentEncode(std::string_view text, bool keepSlash);

// The value of key in a query string ("a=1&q=two+words"), decoded; nothing when absent or
// malformed.
std::optional<std::string> QueryValue(std::string_view query, std::string_view key);

}  // namespace nbx::platform
