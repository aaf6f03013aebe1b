// The request heads the served reader accepts, and the escapes it decodes.

#include "platform/HttpMessage.h"

#include <gtest/gtest.h>

namespace nbx::platform {
namespace {

TEST(HttpMessageTest, ParsesHeadsWithinBoundsAndRefusesTheRest) {
    std::string manyHeaders = "GET / HTTP/1.1\r\n";
    for (std::size_t i = 0; i <= kMaxRequestHeaders; ++i) {
        manyHeaders += "X-" + std::to_string(i) + ": 1\r\n";
    }
    manyHeaders += "\r\n";
    const std::pair<std::string, ParseResult> cases[] = {
        {"GET /a?b=c HTTP/1.1\r\nHost: x\r\n\r\n", ParseResult::Complete},
        {"HEAD / HTTP/1.0\r\n\r\n", ParseResult::Complete},
        {"GET / HTTP/1.1\r\nHost: x\r\n", ParseResult::NeedMore},
        {"", ParseResult::NeedMore},
        {"GET / HTTP/2\r\n\r\n", ParseResult::Bad},
        {"GET /\r\n\r\n", ParseResult::Bad},
        {"GET  HTTP/1.1\r\n\r\n", ParseResult::Bad},
        {"G(T / HTTP/1.1\r\n\r\n", ParseResult::Bad},
        {"GET /a\x01 HTTP/1.1\r\n\r\n", ParseResult::Bad},
        {"GET / HTTP/1.1\r\nNo colon\r\n\r\n", ParseResult::Bad},
        {"GET / HTTP/1.1\r\n: empty name\r\n\r\n", ParseResult::Bad},
        {"GET / HTTP/1.1\r\nBad Name: x\r\n\r\n", ParseResult::Bad},
        {manyHeaders, ParseResult::Bad},
        {"GET / HTTP/1.1\r\nX: " + std::string(kMaxRequestHeadBytes, 'a') + "\r\n\r\n",
         ParseResult::Bad},
        {"GET / HTTP/1.1\r\nX: " + std::string(kMaxRequestHeadBytes, 'a'), ParseResult::Bad},
    };
    for (const auto& [bytes, expected] : cases) {
        HttpRequest request;
        EXPECT_EQ(ParseHttpRequest(bytes, request), expected) << bytes.substr(0, 40);
    }
    HttpRequest request;
    ASSERT_EQ(ParseHttpRequest("GET /x%20y HTTP/1.1\r\nHOST:  127.0.0.1:1 \r\nA: 1\r\nA: 2\r\n\r\n",
                               request),
              ParseResult::Complete);
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.target, "/x%20y");
    EXPECT_EQ(request.Header("host").value_or(""), "127.0.0.1:1");
    EXPECT_EQ(request.Header("a").value_or(""), "1");
    EXPECT_FALSE(request.Header("b"));
}

TEST(HttpMessageTest, DecodesEscapesAndQueryValues) {
    EXPECT_EQ(PercentDecode("a%20b%2F%2e", false).value_or("?"), "a b/.");
    EXPECT_EQ(PercentDecode("a+b", false).value_or("?"), "a+b");
    EXPECT_EQ(PercentDecode("a+b", true).value_or("?"), "a b");
    EXPECT_EQ(PercentDecode("%00", false).value_or("?"), std::string(1, '\0'));
    for (const char* bad : {"%", "%2", "%zz", "a%g0"}) {
        EXPECT_FALSE(PercentDecode(bad, false)) << bad;
    }
    EXPECT_EQ(QueryValue("a=1&q=two+words&q=3", "q").value_or("?"), "two words");
    EXPECT_EQ(QueryValue("flag&q=", "q").value_or("?"), "");
    EXPECT_EQ(QueryValue("flag", "flag").value_or("?"), "");
    EXPECT_FALSE(QueryValue("qq=1", "q"));
    EXPECT_FALSE(QueryValue("q=%zz", "q"));
}

TEST(HttpMessageTest, ResponsesSayTheirLengthAndCloseAndHeadHasNoBody) {
    HttpResponse response;
    response.contentType = "text/plain";
    response.headers.emplace_back("X-A", "1");
    response.body = "hello";
    EXPECT_EQ(SerializeHttpResponse(response, false),
              "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nX-A: 1\r\nContent-Length: 5\r\n"
              "Connection: close\r\n\r\nhello");
    EXPECT_EQ(SerializeHttpResponse(response, true),
              "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nX-A: 1\r\nContent-Length: 5\r\n"
              "Connection: close\r\n\r\n");
    // A tail goes after the body and counts in its length.
    response.tail = "!!";
    EXPECT_TRUE(SerializeHttpResponse(response, false)
                    .ends_with("Content-Length: 7\r\n"
                               "Connection: close\r\n\r\nhello!!"));
}

// A text that came from a book cannot start a header or a response of its own.
TEST(HttpMessageTest, HeadersWithLineBreaksAreLeftOut) {
    HttpResponse response;
    response.contentType = "text/html\r\nSet-Cookie: a=b";
    response.headers = {{"Location", "/x\r\n\r\n<script>"},
                        {"X-Ok", "fine"},
                        {"X-Nul", std::string("a\0b", 3)},
                        {"X-Bad\nName", "v"},
                        {"X-Lf", "a\nb"}};
    EXPECT_EQ(HttpResponseHead(response),
              "HTTP/1.1 200 OK\r\nX-Ok: fine\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
}

}  // namespace
}  // namespace nbx::platform
