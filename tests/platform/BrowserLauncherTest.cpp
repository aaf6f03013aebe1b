// Which browser opens the book, and how: $BROWSER, else a Chromium-family browser on the
// PATH in app mode with the book's window size, else xdg-open.

#include "platform/BrowserLauncher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/TempDir.h"

namespace nbx::platform {
namespace {

const std::string kUrl = "http://127.0.0.1:4242/token/";

TEST(BrowserLauncherTest, CommandFollowsBrowserVariableThenPathThenXdgOpen) {
    test::TempDir dir;
    const std::string chrome = dir.Write("google-chrome", "#!/bin/sh\n");
    ::chmod(chrome.c_str(), 0755);
    dir.Write("chromium", "not executable");
    using Words = std::vector<std::string>;
    struct Case {
        std::string what;
        std::string browser;
        std::string path;
        BrowserWindow window;
        Words command;
    };
    // A page's peer-to-peer connections send nothing without a proxy.
    const std::string kNoWebRtc = "--force-webrtc-ip-handling-policy=disable_non_proxied_udp";
    const Case cases[] = {
        {"a browser of its own", "firefox", dir.path(), {800, 600, false}, {"firefox", kUrl}},
        {"the first of a list", "lynx:firefox", "", {}, {"lynx", kUrl}},
        {"with %s", "my-browser --new-window %s", "", {}, {"my-browser", "--new-window", kUrl}},
        {"a Chromium in $BROWSER",
         "chromium --incognito",
         "",
         {800, 600, false},
         {"chromium", "--incognito", "--app=" + kUrl, kNoWebRtc, "--window-size=800,600"}},
        {"maximized",
         "/usr/bin/chromium",
         "",
         {800, 600, true},
         {"/usr/bin/chromium", "--app=" + kUrl, kNoWebRtc, "--start-maximized"}},
        {"found on the PATH, executable only",
         "",
         "/nonexistent:" + dir.path(),
         {1024, 768, false},
         {chrome, "--app=" + kUrl, kNoWebRtc, "--window-size=1024,768"}},
        {"nothing found", "", "/nonexistent", {1024, 768, false}, {"xdg-open", kUrl}},
        {"blanks only", "   ", "", {}, {"xdg-open", kUrl}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BrowserCommand(kUrl, c.window, c.browser, c.path), c.command) << c.what;
    }
}

TEST(BrowserLauncherTest, StartDetachedTellsWhetherTheProgramStarted) {
    EXPECT_TRUE(StartDetached({"true"}));
    EXPECT_FALSE(StartDetached({"/nonexistent/browser", kUrl}));
    EXPECT_FALSE(StartDetached({}));
}

}  // namespace
}  // namespace nbx::platform
