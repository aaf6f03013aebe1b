// The entry checks that every request to the reader and the Rebrander passes first, and how
// long a served program lives.

#include "platform/ServedGate.h"

#include <gtest/gtest.h>

#include <thread>

namespace nbx::platform {
namespace {

const std::string kToken = "0123456789abcdef0123456789abcdef";
const std::string kLaunch = "aaaabbbbccccddddaaaabbbbccccdddd";

HttpRequest Request(std::string method, std::string target, std::string host,
                    std::uint16_t port = 7001) {
    HttpRequest request{std::move(method), std::move(target), {}, {}, port};
    if (!host.empty()) {
        request.headers.emplace_back("host", std::move(host));
    }
    return request;
}

TEST(ServedGateTest, AdmitsOnlyItsOwnHostMethodAndToken) {
    ServedGate gate(kToken, {}, {});
    gate.AddPort(7001);
    gate.AddPort(7002);
    const std::string t = "/" + kToken;
    struct Case {
        const char* what;
        HttpRequest request;
        int status;  // 0: admitted
    };
    const Case cases[] = {
        {"the token", Request("GET", t + "/x", "127.0.0.1:7001"), 0},
        {"the token alone", Request("GET", t + "/", "127.0.0.1:7001"), 0},
        {"the other port, named", Request("HEAD", t + "/x", "127.0.0.1:7002", 7002), 0},
        {"a port of ours, not the one it came on", Request("GET", t + "/x", "127.0.0.1:7002"), 403},
        {"a port not ours", Request("GET", t + "/x", "127.0.0.1:7003", 7003), 403},
        {"localhost by name", Request("GET", t + "/x", "localhost:7001"), 403},
        {"a rebinding name", Request("GET", t + "/x", "evil.example:7001"), 403},
        {"no Host", Request("GET", t + "/x", ""), 403},
        {"no token", Request("GET", "/x", "127.0.0.1:7001"), 403},
        {"the token without its slash", Request("GET", t, "127.0.0.1:7001"), 403},
        {"the token, longer", Request("GET", t + "0/x", "127.0.0.1:7001"), 403},
        {"a token that differs at the end",
         Request("GET", "/0123456789abcdef0123456789abcdee/x", "127.0.0.1:7001"), 403},
        {"the absolute form", Request("GET", "http://127.0.0.1:7001" + t + "/x", "127.0.0.1:7001"),
         403},
        {"a method not taken", Request("POST", t + "/x", "127.0.0.1:7001"), 405},
        {"a preflight", Request("OPTIONS", t + "/x", "127.0.0.1:7001"), 405},
    };
    for (const Case& c : cases) {
        const std::optional<HttpResponse> refused = gate.Admit(c.request, {"GET", "HEAD"});
        EXPECT_EQ(refused ? refused->status : 0, c.status) << c.what;
        if (refused && refused->status == 405) {
            EXPECT_EQ(refused->headers.at(0),
                      (std::pair<std::string, std::string>{"Allow", "GET, HEAD"}));
        }
    }
    EXPECT_EQ(gate.Rest(Request("GET", t + "/book/a.htm?q=1", "")), "/book/a.htm?q=1");
}

TEST(ServedGateTest, TheLaunchAddressLeadsOnOnceOnlyToItsOwnBrowser) {
    ServedGate gate(kToken, kLaunch, {});
    gate.AddPort(7001);
    int launched = 0;
    gate.OnLaunched([&launched] { ++launched; });
    EXPECT_EQ(gate.FirstAddress(7001), "http://127.0.0.1:7001/" + kLaunch + "/");
    const std::string l = "/" + kLaunch + "/";
    // Not with another Host, not as a HEAD, not as a prefix: and none of these use it up.
    EXPECT_EQ(gate.Admit(Request("GET", l, "evil.example:7001"), {"GET"})->status, 403);
    EXPECT_EQ(gate.Admit(Request("HEAD", l, "127.0.0.1:7001"), {"GET", "HEAD"})->status, 403);
    EXPECT_EQ(gate.Admit(Request("GET", l + "x", "127.0.0.1:7001"), {"GET"})->status, 403);
    EXPECT_EQ(launched, 0);
    const std::optional<HttpResponse> onwards =
        gate.Admit(Request("GET", l, "127.0.0.1:7001"), {"GET"});
    ASSERT_TRUE(onwards);
    EXPECT_EQ(onwards->status, 303);
    EXPECT_EQ(onwards->headers.at(0).second, "/" + kToken + "/");
    EXPECT_EQ(launched, 1);
    EXPECT_EQ(gate.Admit(Request("GET", l, "127.0.0.1:7001"), {"GET"})->status, 403);
    EXPECT_EQ(launched, 1);
    EXPECT_EQ(gate.FirstAddress(7001), "http://127.0.0.1:7001/" + kToken + "/");
}

TEST(ServedGateTest, AChangeComesFromItsOwnPageOnlyWhenTheBrowserSaysSo) {
    const std::string origin = "http://127.0.0.1:7001";
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> headers;
        bool own;
    };
    const Case cases[] = {
        {"same-origin", {{"sec-fetch-site", "same-origin"}}, true},
        {"its origin", {{"origin", origin}}, true},
        {"both", {{"sec-fetch-site", "same-origin"}, {"origin", origin}}, true},
        {"neither", {}, false},
        {"same-site only", {{"sec-fetch-site", "same-site"}}, false},
        {"cross-site", {{"sec-fetch-site", "cross-site"}}, false},
        {"typed by the user", {{"sec-fetch-site", "none"}}, false},
        {"another port", {{"origin", "http://127.0.0.1:7002"}}, false},
        {"a sandboxed page", {{"origin", "null"}}, false},
        {"the two disagree", {{"sec-fetch-site", "same-origin"}, {"origin", "http://x"}}, false},
    };
    for (const Case& c : cases) {
        HttpRequest request{"POST", "/", c.headers, {}, 7001};
        EXPECT_EQ(ServedGate::FromOwnPage(request, origin), c.own) << c.what;
    }
}

TEST(ServedGateTest, LivesWhileRequestsWithTheSecretComeOrOneIsHeld) {
    ServedGate gate(kToken, {}, {80, 80});
    gate.AddPort(7001);
    EXPECT_FALSE(gate.Expired(0));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(gate.Expired(0));  // no browser came
    gate.Admit(Request("GET", "/" + kToken + "/", "127.0.0.1:7001"), {"GET"});
    EXPECT_FALSE(gate.Expired(0));
    // A held request (a window's long poll) keeps it alive, however long it is held.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(gate.Expired(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(gate.Expired(1));
    // Refused requests are no sign of life.
    gate.Admit(Request("GET", "/x", "127.0.0.1:7001"), {"GET"});
    gate.Admit(Request("GET", "/" + kToken + "/", "evil:7001"), {"GET"});
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(gate.Expired(0));
}

TEST(ServedGateTest, SecretsCompareWhole) {
    EXPECT_TRUE(SameSecret("abc", "abc"));
    EXPECT_FALSE(SameSecret("abc", "abd"));
    EXPECT_FALSE(SameSecret("abc", "ab"));
    EXPECT_FALSE(SameSecret("", "a"));
    EXPECT_TRUE(SameSecret("", ""));
}

}  // namespace
}  // namespace nbx::platform
