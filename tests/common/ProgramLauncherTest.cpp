#include "common/ProgramLauncher.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/SiteAddress.h"
#include "support/RecordingPrompter.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

using ::testing::ElementsAre;
using ::testing::EndsWith;

TEST(ProgramLauncherTest, FailuresNameTheProgramAndTheReason) {
    test::TempDir dir;
    const std::string notAProgram = dir.Write("book", "plain text, no interpreter line");
    ::chmod(notAProgram.c_str(), 0755);
    test::RecordingPrompter prompter;
    EXPECT_FALSE(LaunchProgram(dir.File("missing"), ShowState::Normal, prompter));
    EXPECT_FALSE(LaunchProgram(dir.File("no/such/folder/book"), ShowState::Normal, prompter));
    EXPECT_FALSE(LaunchProgram(notAProgram, ShowState::Normal, prompter));
    EXPECT_THAT(
        prompter.messages,
        ElementsAre(
            "Can't start " + dir.File("missing") + ", as the file was not found.",
            "Can't start " + dir.File("no/such/folder/book") + ", as the path was not found.",
            "Can't start " + notAProgram + ", the program appears to be corrupted or invalid."));
    EXPECT_TRUE(LaunchProgram("/bin/true", ShowState::Maximized, prompter));
    EXPECT_EQ(prompter.messages.size(), 3u);
}

TEST(ProgramLauncherTest, MessageTable) {
    EXPECT_EQ(ProgramLaunchMessage("/b", 0), "Can't start /b, out of memory or resources.");
    EXPECT_EQ(ProgramLaunchMessage("/b", 5), "Unable to start /b");
    EXPECT_EQ(ProgramLaunchMessage("/b", 31), "Unable to start /b");
}

// Waits up to ten seconds for path to appear; the started programs run on their own.
bool AppearsSoon(const std::string& path) {
    for (int i = 0; i < 1000 && !std::filesystem::exists(path); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::filesystem::exists(path);
}

// No child of this process is left: every start was reaped, however it went.
bool NoChildLeft() {
    int status = 0;
    return ::waitpid(-1, &status, WNOHANG) == -1 && errno == ECHILD;
}

TEST(ProgramLauncherTest, StartedProgramsRunOnTheirOwnAndLeaveNoZombie) {
    test::TempDir dir;
    test::RecordingPrompter prompter;
    // One that ends at once, one that outlives its start by a while, one that cannot start.
    const std::string quick = dir.Write("quick", "#!/bin/sh\ntouch \"$0.ran\"\n");
    const std::string slow = dir.Write("slow", "#!/bin/sh\nsleep 0.5\ntouch \"$0.ran\"\n");
    ::chmod(quick.c_str(), 0755);
    ::chmod(slow.c_str(), 0755);
    EXPECT_TRUE(LaunchProgram(quick, ShowState::Normal, prompter));
    EXPECT_TRUE(LaunchCommandLine(slow, ShowState::Normal, prompter));
    EXPECT_FALSE(LaunchProgram(dir.File("missing"), ShowState::Normal, prompter));
    EXPECT_TRUE(NoChildLeft());
    EXPECT_TRUE(AppearsSoon(quick + ".ran"));
    EXPECT_TRUE(AppearsSoon(slow + ".ran"));
    EXPECT_TRUE(NoChildLeft());
}

TEST(ProgramLauncherTest, MaximizedReachesTheStartedProgramAlone) {
    test::TempDir dir;
    test::RecordingPrompter prompter;
    const std::string show =
        dir.Write("show", "#!/bin/sh\necho \"[$" + std::string(kShowMaximizedVariable) +
                              "]\" >\"$0.tmp.$1\" && mv \"$0.tmp.$1\" \"$0.$1\"\n");
    ::chmod(show.c_str(), 0755);
    EXPECT_TRUE(LaunchCommandLine(show + " max", ShowState::Maximized, prompter));
    EXPECT_TRUE(LaunchCommandLine(show + " normal", ShowState::Normal, prompter));
    ASSERT_TRUE(AppearsSoon(show + ".max"));
    ASSERT_TRUE(AppearsSoon(show + ".normal"));
    EXPECT_EQ(test::ReadWholeFile(show + ".max"), "[1]\n");
    EXPECT_EQ(test::ReadWholeFile(show + ".normal"), "[]\n");
    EXPECT_EQ(std::getenv(kShowMaximizedVariable), nullptr);

    // The program that was asked takes the request once, so what it starts does not inherit it.
    ::setenv(kShowMaximizedVariable, "1", 1);
    EXPECT_TRUE(TakeShowMaximizedRequest());
    EXPECT_EQ(std::getenv(kShowMaximizedVariable), nullptr);
    EXPECT_FALSE(TakeShowMaximizedRequest());
}

class DocumentLauncherTest : public ::testing::Test {
protected:
    void TearDown() override { SetDocumentOpener(nullptr); }
    void OpenerAnswers(int result) {
        SetDocumentOpener([this, result](const std::string& target) {
            opened.push_back(target);
            return result;
        });
    }
    std::vector<std::string> opened;
    test::RecordingPrompter prompter;
};

TEST_F(DocumentLauncherTest, ResultsUpTo32FailWithTheirReason) {
    const std::pair<int, const char*> cases[] = {
        {31,
         "\n\nThe reason was:-\nThere is no application associated with the given filename "
         "extension."},
        {32, "\n\nThe reason was:-\nThe specified dynamic-link library was not found."},
        {7, "installation process for the web browser)."},
    };
    for (const auto& [result, ending] : cases) {
        OpenerAnswers(result);
        EXPECT_FALSE(LaunchDocument("https://x.example/", prompter));
        ASSERT_FALSE(prompter.messages.empty());
        EXPECT_THAT(prompter.messages.back(), EndsWith(ending)) << result;
        EXPECT_EQ(prompter.messages.back().rfind("The web page could not be opened.", 0), 0u);
    }
    OpenerAnswers(33);
    EXPECT_TRUE(LaunchDocument("https://x.example/", prompter));
    EXPECT_EQ(prompter.messages.size(), 3u);
}

// The default opener runs xdg-open and reads its exit code; one that is still running after
// a second has handed the page to a browser.
TEST_F(DocumentLauncherTest, XdgOpenExitCodesGiveTheReasons) {
    test::TempDir dir;
    const std::string xdg = dir.Write("bin/xdg-open",
                                      "#!/bin/sh\nexec >/dev/null 2>&1\ncase \"$1\" in wait) sleep "
                                      "2 ;; *) exit \"$1\" ;; esac\n");
    ::chmod(xdg.c_str(), 0755);
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (dir.File("bin") + ":" + path).c_str(), 1);
    SetDocumentOpener(nullptr);
    const std::pair<const char*, const char*> cases[] = {
        {"3", "There is no application associated with the given filename extension."},
        {"2", "The specified file was not found."},
        {"4", "The filename association is incomplete or invalid."},
    };
    for (const auto& [code, reason] : cases) {
        prompter.messages.clear();
        EXPECT_FALSE(LaunchDocument(code, prompter)) << code;
        ASSERT_EQ(prompter.messages.size(), 1u) << code;
        EXPECT_THAT(prompter.messages[0], EndsWith(std::string("The reason was:-\n") + reason));
    }
    prompter.messages.clear();
    EXPECT_TRUE(LaunchDocument("0", prompter));
    EXPECT_TRUE(LaunchDocument("wait", prompter));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(NoChildLeft());
    ::setenv("PATH", path.c_str(), 1);
}

TEST(SiteAddressTest, BaseAddressFollowsTheSiteNumber) {
    EXPECT_EQ(SiteBaseAddress(0), "https://www.nimbrel.example/");
    EXPECT_EQ(SiteBaseAddress(1), "https://books.nimbrel.example/ebook/");
    EXPECT_EQ(SiteBaseAddress(7) + "links.asp", "https://books.nimbrel.example/7/links.asp");
}

}  // namespace
}  // namespace nbx
