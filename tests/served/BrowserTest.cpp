// A real browser engine draws a book: headless Chromium opens the served reader and saves
// screenshots of the first page, the Contents and a search result under the build folder
// (screenshots/served-*.png), to be looked at; ReaderInBrowserTest draws the questions.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>
#include <set>

#include "HttpClient.h"
#include "ReaderProcess.h"
#include "ServedBook.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace nbx::test {
namespace {

const std::string kScreenshotDir = NBX_SCREENSHOT_DIR;

// The Chromium-family browser of this machine; the test fails without one, it does not skip.
std::string FindChromium() {
    for (const char* name : {"chromium", "chromium-browser", "google-chrome"}) {
        int status = 0;
        const std::string path = RunCommand(std::string("command -v ") + name, status);
        if (status == 0 && !path.empty()) {
            return path.substr(0, path.find('\n'));
        }
    }
    return {};
}

// Draws address and saves it to png; the browser's exit status.
int Screenshot(const std::string& chromium, const std::string& profile, const std::string& address,
               const std::string& png) {
    std::filesystem::remove(png);
    // --no-sandbox: the tests run as root, where Chromium's own sandbox cannot start.
    const std::string command = "timeout 120 '" + chromium +
                                "' --headless --no-sandbox --disable-gpu --hide-scrollbars "
                                "--no-first-run --user-data-dir='" +
                                profile + "' --window-size=1024,700 --timeout=4000 --screenshot='" +
                                png + "' '" + address + "' >/dev/null 2>&1";
    int status = 0;
    RunCommand(command, status);
    return status;
}

TEST(BrowserTest, ChromiumDrawsTheBookInTheReadersFrame) {
    const std::string chromium = FindChromium();
    ASSERT_FALSE(chromium.empty()) << "no Chromium: scripts/install-deps.sh installs it";
    TempDir dir;
    const std::string path = dir.File("lighthouse");
    ASSERT_EQ(WriteServedBook(dir, path, ServedBookSettings()), "");
    ReaderProcess reader;
    ASSERT_TRUE(reader.Start(path, {"BROWSER=true", "NBX_READER_IDLE_MS=60000"}));
    std::filesystem::create_directories(kScreenshotDir);

    const std::pair<std::string, std::string> views[] = {
        {"served-first-page", ""},
        {"served-contents", "?page=system/contents"},
        {"served-search", "?page=system/search&q=keeper"},
    };
    std::set<std::string> drawn;
    for (const auto& [name, page] : views) {
        const std::string png = kScreenshotDir + "/" + name + ".png";
        const int status =
            Screenshot(chromium, dir.File("profile-" + name), reader.address + page, png);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << name;
        ASSERT_TRUE(std::filesystem::exists(png)) << name;
        const std::string bytes = ReadWholeFile(png);
        EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n") << name;
        EXPECT_GT(bytes.size(), 3000u) << name;  // a page, not an empty window
        drawn.insert(bytes);
    }
    EXPECT_EQ(drawn.size(), std::size(views));  // different pictures
    // The toolbar where the book puts it: here at the left, without the menu.
    BuildSettings left = ServedBookSettings();
    left.toolbarPosition = 1;
    left.menuShown = 0;
    const std::string leftPath = dir.File("left");
    ASSERT_EQ(WriteServedBook(dir, leftPath, left), "");
    ReaderProcess leftReader;
    ASSERT_TRUE(leftReader.Start(leftPath, {"BROWSER=true", "NBX_READER_IDLE_MS=60000"}));
    const std::string leftPng = kScreenshotDir + "/served-toolbar-left.png";
    Screenshot(chromium, dir.File("profile-left"), leftReader.address, leftPng);
    EXPECT_TRUE(std::filesystem::exists(leftPng));
    // The run question was shown, and nothing ran: the browser cannot answer it.
    EXPECT_FALSE(std::filesystem::exists("/tmp/nbx-served-must-not-exist"));
    // The reader is still serving: the browser's windows are gone, and it ends on its own.
    EXPECT_EQ(Get(reader.pagePort, reader.base + "/book/index.html").status, 200);
}

// A hostile book in a real browser: its first page tries every way out it can think of while
// the "On Start" question waits in the frame. Nothing outside the book is read, and the
// program runs only if the reader answers, which the page cannot do for the reader.
TEST(BrowserTest, AHostilePageCannotAnswerTheRunQuestionNorReachOutside) {
    const std::string chromium = FindChromium();
    ASSERT_FALSE(chromium.empty()) << "no Chromium: scripts/install-deps.sh installs it";
    TempDir dir;
    const std::string marker = dir.File("ran");
    const std::string program = dir.Write("mark.sh", "#!/bin/sh\ntouch '" + marker + "'\n");
    ::chmod(program.c_str(), 0755);
    const std::string attack = R"(<html><body><h1>Press Continue to open chapter 1</h1>
<img src="file:///etc/passwd"><img src="/dev/zero"><iframe src="file:///etc/hostname"></iframe>
<img src="http://192.0.2.1/call-home.png">
<script>
const base = location.pathname.split('/').slice(0, 2).join('/');
const tries = [
  () => fetch(base + '/frame/answer?id=1&yes=1'),
  () => fetch(base + '/frame/answer?id=1&yes=1', {headers: {'X-Nbx-Frame': 'guess'}}),
  () => fetch(base + '/', {mode: 'no-cors'}),
  () => fetch('http://192.0.2.1/call-home'),
  () => { parent.document.getElementById('questionyes').click(); },
  () => { top.location = base + '/frame/answer?id=1&yes=1'; },
  () => { window.open(base + '/frame/answer?id=1&yes=1'); },
];
for (const t of tries) { try { Promise.resolve(t()).catch(() => {}); } catch (e) {} }
document.body.prepend('tried ' + tries.length + ' ways out');
</script></body></html>)";
    BuildSettings settings = ServedBookSettings();
    settings.onStart = "##RUN('" + program + "')";
    std::vector<TestBookFile> files = ReaderDataFiles(kProgramDir);
    files.push_back({"index.html", attack, "Chapter 1"});
    const std::string path = dir.File("hostile");
    ASSERT_EQ(WriteTestBook(dir, kProgramDir + "/eview.dat", path, settings, files), "");
    ReaderProcess reader;
    ASSERT_TRUE(reader.Start(path, {"BROWSER=true", "NBX_READER_IDLE_MS=60000"}));
    std::filesystem::create_directories(kScreenshotDir);
    const std::string png = kScreenshotDir + "/served-hostile-page.png";
    const int status = Screenshot(chromium, dir.File("profile"), reader.address, png);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(std::filesystem::exists(png));

    EXPECT_FALSE(std::filesystem::exists(marker));
    // The question still waits for the reader.
    const std::string key = FrameKeyOf(Get(reader.port, reader.base + "/").body);
    const HttpAnswer state = Get(reader.port, reader.base + "/frame/state",
                                 "X-Nbx-Frame: " + key + "\r\nSec-Fetch-Site: same-origin\r\n");
    EXPECT_NE(state.body.find("This e-book asks to run a program"), std::string::npos)
        << state.body;
    EXPECT_NE(state.body.find(program), std::string::npos);
}

// The Rebrander's customize page, drawn by the browser as the reseller sees it.
TEST(BrowserTest, ChromiumDrawsTheRebrandersCustomizePage) {
    const std::string chromium = FindChromium();
    ASSERT_FALSE(chromium.empty()) << "no Chromium: scripts/install-deps.sh installs it";
    TempDir dir;
    const std::string rebranderPath = dir.File("rebrand-pond");
    ASSERT_EQ(WritePondBookAndRebrander(dir, dir.File("pond"), rebranderPath), "");
    ReaderProcess rebrand;
    ASSERT_TRUE(rebrand.Start(rebranderPath, {"BROWSER=true", "NBX_READER_IDLE_MS=60000"}));
    std::filesystem::create_directories(kScreenshotDir);
    const std::string png = kScreenshotDir + "/served-rebrander-customize.png";
    const int status =
        Screenshot(chromium, dir.File("profile"), rebrand.address + "customize", png);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(std::filesystem::exists(png));
    EXPECT_GT(ReadWholeFile(png).size(), 3000u);
}

}  // namespace
}  // namespace nbx::test
