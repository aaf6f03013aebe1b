#include "project/FolderChooserCheck.h"

#include <gtest/gtest.h>

#include "platform/Paths.h"
#include "support/RecordingPrompter.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

TEST(FolderPathFormTest, Table) {
    const std::pair<const char*, bool> cases[] = {
        {"/", true},
        {"/home/author/My Book", true},
        {"/home/author/book/", true},
        {"/home/author/v1.2", true},
        {"", false},
        {"home/author", false},
        {"//home", false},
        {"/home//author", false},
        {"/home/author//", false},
        {"/home/ author", false},
        {"/home/author ", false},
        {"/home/\tauthor", false},
        {"/home/.hidden", false},
        {"/home/author.", false},
        {"/home/..", false},
        {"/home/a:b", false},
        {"/home/a*b", false},
        {"/home/a?b", false},
        {"/home/a\"b", false},
        {"/home/a<b", false},
        {"/home/a>b", false},
        {"/home/a|b", false},
        {"/home/a\\b", false},
    };
    for (const auto& [path, valid] : cases) {
        EXPECT_EQ(IsValidFolderPath(path), valid) << path;
    }
}

TEST(FolderChooserCheckTest, InvalidPathKeepsTheChooserOpen) {
    test::RecordingPrompter prompter;
    EXPECT_EQ(CheckChosenFolder("relative/path", prompter), FolderCheckResult::KeepOpen);
    EXPECT_EQ(
        prompter.messages,
        std::vector<std::string>{"The folder:\n\nrelative/path\n\nis invalid. Please reenter."});
    EXPECT_EQ(prompter.icons[0], MessageIcon::Warning);
    EXPECT_TRUE(prompter.questions.empty());
}

TEST(FolderChooserCheckTest, ExistingFolderIsAccepted) {
    test::TempDir dir;
    test::RecordingPrompter prompter;
    EXPECT_EQ(CheckChosenFolder(dir.path(), prompter), FolderCheckResult::Accept);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(prompter.questions.empty());
}

TEST(FolderChooserCheckTest, MissingFolderIsCreatedLevelByLevelOnYes) {
    test::TempDir dir;
    test::RecordingPrompter prompter;
    const std::string typed = dir.File("one/two/three");
    prompter.answers = {Answer::No};
    EXPECT_EQ(CheckChosenFolder(typed, prompter), FolderCheckResult::KeepOpen);
    EXPECT_FALSE(platform::FolderExists(dir.File("one")));
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(
        prompter.questions[0].text,
        "The folder:\n\n" + typed + "\n\ndoes not exist. Do you want the folder to be created?");
    EXPECT_EQ(prompter.questions[0].buttons, Buttons::YesNo);

    prompter.answers = {Answer::Yes};
    EXPECT_EQ(CheckChosenFolder(typed, prompter), FolderCheckResult::Accept);
    EXPECT_TRUE(platform::FolderExists(typed));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST(FolderChooserCheckTest, LevelThatCannotBeCreatedIsReported) {
    test::TempDir dir;
    test::RecordingPrompter prompter;
    dir.Write("file", "a file where a folder should go");
    const std::string typed = dir.File("file/sub");
    prompter.answers = {Answer::Yes};
    EXPECT_EQ(CheckChosenFolder(typed, prompter), FolderCheckResult::KeepOpen);
    EXPECT_EQ(prompter.messages,
              std::vector<std::string>{"The folder:\n\n" + typed +
                                       "\n\ncan not be created. Please double check."});
}

}  // namespace
}  // namespace nbx
