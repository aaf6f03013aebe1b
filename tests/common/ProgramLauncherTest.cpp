#include "common/ProgramLauncher.h"

#include <sys/stat.h>

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

TEST(SiteAddressTest, BaseAddressFollowsTheSiteNumber) {
    EXPECT_EQ(SiteBaseAddress(0), "https://www.nimbrel.example/");
    EXPECT_EQ(SiteBaseAddress(1), "https://books.nimbrel.example/ebook/");
    EXPECT_EQ(SiteBaseAddress(7) + "links.asp", "https://books.nimbrel.example/7/links.asp");
}

}  // namespace
}  // namespace nbx
