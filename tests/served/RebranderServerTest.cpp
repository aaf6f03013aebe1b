// The served Rebrander: its three pages over HTTP, the one change a form from its own page,
// and the program run beside its e-book, ending on Exit.

#include "rebranding/RebranderServer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "HttpClient.h"
#include "ReaderProcess.h"
#include "ServedBook.h"
#include "format/ArchiveReader.h"
#include "support/TempDir.h"
#include "support/TestRebrander.h"

namespace nbx::test {
namespace {

constexpr std::uint16_t kPort = 5151;
const std::string kToken = "00112233445566778899aabbccddeeff";

class RebranderServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(WritePondBookAndRebrander(dir, bookPath, rebranderPath), "");
    }

    HttpAnswer Ask(RebranderServer& server, const std::string& method, const std::string& target,
                   std::vector<std::pair<std::string, std::string>> headers = {},
                   const std::string& body = "") {
        platform::HttpRequest request{method, target, {}, body, kPort};
        request.headers.emplace_back("host", "127.0.0.1:5151");
        for (auto& h : headers) {
            request.headers.push_back(h);
        }
        return Exchange(server, request);
    }

    std::vector<std::string> Values() {
        ArchiveReader reader;
        EXPECT_TRUE(reader.Open(bookPath)) << reader.error();
        std::vector<std::string> values;
        for (const ArchiveVariable& v : reader.variables()) {
            values.push_back(v.value);
        }
        return values;
    }

    TempDir dir;
    const std::string bookPath = dir.File("pond");
    const std::string rebranderPath = dir.File("rebrand-pond");
};

TEST_F(RebranderServerTest, StartCustomizeSaveAndEndPages) {
    EBookRebrander rebrander;
    ASSERT_TRUE(rebrander.ReadRebrander(rebranderPath)) << rebrander.error();
    RebranderServer server(rebrander, {kToken, kPort, {}, {}});
    std::vector<std::string> viewed;
    server.SetViewer([&](const std::string& ebook) {
        viewed.push_back(ebook);
        return true;
    });
    const std::string t = "/" + kToken;

    const HttpAnswer start = Ask(server, "GET", t + "/");
    ASSERT_EQ(start.status, 200);
    EXPECT_NE(start.body.find("<h1>Rebrand Pond Life</h1>"), std::string::npos);
    EXPECT_NE(start.body.find("Welcome, &lt;b&gt;reseller&lt;/b&gt;."), std::string::npos);
    EXPECT_NE(start.Header("content-security-policy").find("frame-ancestors 'none'"),
              std::string::npos);

    const HttpAnswer customize = Ask(server, "GET", t + "/customize");
    ASSERT_EQ(customize.status, 200);
    EXPECT_NE(customize.body.find("Your &lt;shop&gt;"), std::string::npos);
    EXPECT_NE(customize.body.find("value=\"none\""), std::string::npos);
    EXPECT_NE(customize.body.find("<textarea id=\"v1\" name=\"v1\">1 Pond Lane"),
              std::string::npos);

    // A value too long for its field is refused with the rule's message, nothing written.
    const HttpAnswer tooLong =
        Ask(server, "POST", t + "/save", {{"origin", "http://127.0.0.1:5151"}},
            "v0=" + std::string(300, 'x') + "&v1=1+Pond+Lane%0D%0AFrogton");
    EXPECT_EQ(tooLong.status, 200);
    EXPECT_NE(tooLong.body.find("id=\"error\""), std::string::npos);
    EXPECT_EQ(Values()[0], "none");

    // The browser sends the untouched text area with its own line ends: kept as stored.
    const HttpAnswer saved =
        Ask(server, "POST", t + "/save",
            {{"origin", "http://127.0.0.1:5151"}, {"sec-fetch-site", "same-origin"}},
            "v0=Frog+%26+Newt&v1=1+Pond+Lane%0D%0AFrogton");
    EXPECT_EQ(saved.status, 200);
    EXPECT_NE(saved.body.find("All done."), std::string::npos);
    EXPECT_EQ(Values(), (std::vector<std::string>{"Frog & Newt", "1 Pond Lane\r\nFrogton"}));

    EXPECT_EQ(Ask(server, "GET", t + "/view").status, 200);
    EXPECT_EQ(viewed, std::vector<std::string>{bookPath});
    EXPECT_TRUE(server.finished());
}

TEST_F(RebranderServerTest, RefusesChangesFromAnywhereButItsOwnPage) {
    EBookRebrander rebrander;
    ASSERT_TRUE(rebrander.ReadRebrander(rebranderPath)) << rebrander.error();
    RebranderServer server(rebrander, {kToken, kPort, {}, {}});
    const std::string t = "/" + kToken;
    ASSERT_EQ(Ask(server, "GET", t + "/customize").status, 200);
    const std::string form = "v0=evil&v1=evil";
    struct Case {
        std::string what;
        std::string method;
        std::string target;
        std::vector<std::pair<std::string, std::string>> headers;
        int status;
    };
    const Case cases[] = {
        {"no token", "POST", "/save", {}, 403},
        {"another site's form", "POST", t + "/save", {{"origin", "http://evil.example"}}, 403},
        {"a sandboxed page", "POST", t + "/save", {{"origin", "null"}}, 403},
        {"cross-site", "POST", t + "/save", {{"sec-fetch-site", "cross-site"}}, 403},
        {"a wrong Host", "POST", t + "/save", {{"host", "evil.example"}}, 403},
        {"PUT", "PUT", t + "/save", {}, 405},
        {"a POST elsewhere", "POST", t + "/exit", {{"sec-fetch-site", "same-origin"}}, 403},
        // A request that names no origin at all is nobody's own.
        {"no origin named", "POST", t + "/save", {}, 403},
        {"same-site, not same-origin", "POST", t + "/save", {{"sec-fetch-site", "same-site"}}, 403},
        {"its origin, but another site says the browser",
         "POST",
         t + "/save",
         {{"origin", "http://127.0.0.1:5151"}, {"sec-fetch-site", "cross-site"}},
         403},
    };
    for (const Case& c : cases) {
        platform::HttpRequest request{c.method, c.target, c.headers, form, kPort};
        if (std::none_of(c.headers.begin(), c.headers.end(),
                         [](const auto& h) { return h.first == "host"; })) {
            request.headers.emplace_back("host", "127.0.0.1:5151");
        }
        EXPECT_EQ(Exchange(server, request).status, c.status) << c.what;
    }
    EXPECT_EQ(Values()[0], "none");
    EXPECT_FALSE(server.finished());
}

TEST_F(RebranderServerTest, TheProgramServesItsPagesAndEndsOnExit) {
    ReaderProcess rebrand;
    ASSERT_TRUE(rebrand.Start(rebranderPath, {"BROWSER=true", "NBX_READER_IDLE_MS=60000"}));
    ASSERT_FALSE(rebrand.launchAddress.empty());  // the browser's address was used up
    const HttpAnswer start = Get(rebrand.port, rebrand.base + "/");
    EXPECT_EQ(start.status, 200);
    EXPECT_NE(start.body.find("Rebrand Pond Life"), std::string::npos);
    const std::string host = "Host: 127.0.0.1:" + std::to_string(rebrand.port) + "\r\n";
    Get(rebrand.port, rebrand.base + "/customize");
    const std::string body = "v0=Toad+Hall&v1=x";
    const HttpAnswer saved =
        SendRaw(rebrand.port, "POST " + rebrand.base + "/save HTTP/1.1\r\n" + host +
                                  "Content-Type: application/x-www-form-urlencoded\r\n"
                                  "Sec-Fetch-Site: same-origin\r\n"
                                  "Content-Length: " +
                                  std::to_string(body.size()) + "\r\n\r\n" + body);
    EXPECT_EQ(saved.status, 200);
    EXPECT_EQ(Get(rebrand.port, rebrand.base + "/exit").status, 200);
    EXPECT_EQ(rebrand.WaitExit(30000), 0);
    EXPECT_EQ(Values()[0], "Toad Hall");
}

}  // namespace
}  // namespace nbx::test
