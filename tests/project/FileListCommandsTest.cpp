#include "project/FileListCommands.h"

#include <gtest/gtest.h>

#include "support/RecordingPrompter.h"

namespace nbx {
namespace {

SourceFile Entry(std::string path, std::string title = "") {
    SourceFile f;
    f.path = std::move(path);
    f.title = std::move(title);
    f.searchable = 0;
    return f;
}

class FileListCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        project.files = {Entry("/s/titled.htm", "Titled"), Entry("/s/first.htm"),
                         Entry("/s/second.html"), Entry("/s/pic.gif", "A titled picture")};
    }
    Project project;
    test::RecordingPrompter prompter;
};

TEST_F(FileListCommandsTest, TogglesRefuseWhatTheRulesForbid) {
    const struct {
        const char* what;
        bool (*toggle)(Project&, std::size_t, Prompter&);
        std::size_t index;
        const char* message;  // null: the flag flips
    } cases[] = {
        {"searchable gif", ToggleSearchable, 3, "Only HTML files can be made Searchable"},
        {"searchable untitled", ToggleSearchable, 1,
         "You must first add a title before you can make this file Searchable."},
        {"searchable titled", ToggleSearchable, 0, nullptr},
        {"contents gif", ToggleInContents, 3, "Only HTML files can be the Table Of Contents"},
        {"contents untitled", ToggleInContents, 2,
         "You must first add a title before you can include this file in the Table Of "
         "Contents."},
        {"contents titled", ToggleInContents, 0, nullptr},
        {"preprocess gif", TogglePreprocess, 3, "Only HTML files can be PreProcessed"},
        {"preprocess untitled", TogglePreprocess, 1, nullptr},
        {"past the end", TogglePreprocess, 9, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Project before = project;
        project.SetModified(false);
        prompter.messages.clear();
        const bool flipped = c.toggle(project, c.index, prompter);
        EXPECT_EQ(flipped, c.message == nullptr);
        EXPECT_EQ(project.IsModified(), flipped);
        if (flipped) {
            EXPECT_NE(project.files, before.files);
            EXPECT_TRUE(prompter.messages.empty());
            c.toggle(project, c.index, prompter);  // and back
            EXPECT_EQ(project.files, before.files);
        } else {
            EXPECT_EQ(project.files, before.files);
            const std::vector<std::string> expected =
                *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{};
            EXPECT_EQ(prompter.messages, expected);
        }
    }
}

TEST_F(FileListCommandsTest, ExcludedTogglesOnAnyFile) {
    EXPECT_TRUE(ToggleExcluded(project, 3));
    EXPECT_EQ(project.files[3].excluded, 1);
    EXPECT_TRUE(project.IsModified());
    EXPECT_TRUE(ToggleExcluded(project, 3));
    EXPECT_EQ(project.files[3].excluded, 0);
    EXPECT_FALSE(ToggleExcluded(project, 4));
}

TEST_F(FileListCommandsTest, NoChangesNothing) {
    prompter.answers = {Answer::No};
    EXPECT_FALSE(RunAllFilesCommand(project, AllFilesCommand::RemoveFromContents, prompter));
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0].text,
              "Are you sure that you want to take all files out of the Table Of Contents?");
    EXPECT_EQ(prompter.questions[0].buttons, Buttons::YesNo);
    EXPECT_EQ(prompter.questions[0].defaultAnswer, Answer::No);
    EXPECT_FALSE(project.IsModified());

    // Without files nothing is asked.
    Project empty;
    EXPECT_FALSE(RunAllFilesCommand(empty, AllFilesCommand::MakeSearchable, prompter));
    EXPECT_EQ(prompter.questions.size(), 1u);
}

TEST_F(FileListCommandsTest, MakeSearchableNamesUntitledPagesAfterTheRedraw) {
    prompter.answers = {Answer::Yes};
    std::size_t messagesAtRedraw = 99;
    ASSERT_TRUE(RunAllFilesCommand(project, AllFilesCommand::MakeSearchable, prompter,
                                   [&] { messagesAtRedraw = prompter.messages.size(); }));
    EXPECT_EQ(messagesAtRedraw, 0u);
    EXPECT_EQ(prompter.messages,
              std::vector<std::string>{"The following HTML file(s) could not be made searchable "
                                       "because they do not have a title: first.htm second.html"});
    EXPECT_EQ(project.files[0].searchable, 1);
    EXPECT_EQ(project.files[1].searchable, 0);
    EXPECT_EQ(project.files[3].searchable, 0);  // pictures are never searchable
    EXPECT_TRUE(project.IsModified());
}

TEST_F(FileListCommandsTest, EachCommandSetsItsFlagOnTheFilesItAppliesTo) {
    const struct {
        AllFilesCommand command;
        std::int32_t SourceFile::*flag;
        std::array<std::int32_t, 4> before;
        std::array<std::int32_t, 4> after;
    } cases[] = {
        {AllFilesCommand::RemoveSearchable, &SourceFile::searchable, {1, 1, 1, 1}, {0, 0, 0, 0}},
        {AllFilesCommand::ListInContents, &SourceFile::inContents, {0, 0, 0, 0}, {1, 0, 0, 0}},
        {AllFilesCommand::RemoveFromContents, &SourceFile::inContents, {1, 1, 1, 1}, {0, 0, 0, 0}},
        {AllFilesCommand::PreprocessorOn, &SourceFile::preprocess, {0, 0, 0, 0}, {1, 1, 1, 0}},
        {AllFilesCommand::PreprocessorOff, &SourceFile::preprocess, {1, 1, 1, 1}, {0, 0, 0, 1}},
    };
    for (const auto& c : cases) {
        for (std::size_t i = 0; i < 4; ++i)
            project.files[i].*c.flag = c.before[i];
        prompter.answers = {Answer::Yes};
        prompter.messages.clear();
        ASSERT_TRUE(RunAllFilesCommand(project, c.command, prompter));
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(project.files[i].*c.flag, c.after[i])
                << static_cast<int>(c.command) << " file " << i;
        }
        const std::vector<std::string> expected =
            c.command == AllFilesCommand::ListInContents
                ? std::vector<std::string>{"The following HTML file(s) could not be put into "
                                           "the Table Of Contents because they do not have a "
                                           "title: first.htm second.html"}
                : std::vector<std::string>{};
        EXPECT_EQ(prompter.messages, expected);
    }
}

TEST(FilePropertiesCheckTest, TitleNeededForSearchOrContents) {
    const struct {
        const char* path;
        const char* title;
        int searchable, inContents;
        const char* message;
    } cases[] = {
        {"/s/a.htm", "", 1, 0, "You must have a title if you want this file to be searchable."},
        {"/s/a.htm", "", 0, 1,
         "You must have a title if you want this file to be in the Table of Contents."},
        {"/s/a.htm", "", 1, 1,
         "You must have a title if you want this file to be searchable or in the Table Of "
         "Contents."},
        {"/s/a.htm", "", 0, 0, nullptr},
        {"/s/a.htm", "  ", 1, 1, nullptr},  // blanks count as a title
        {"/s/a.gif", "", 1, 1, nullptr},    // the boxes are hidden for other files
    };
    for (const auto& c : cases) {
        SourceFile f;
        f.path = c.path;
        f.title = c.title;
        f.searchable = c.searchable;
        f.inContents = c.inContents;
        const auto failure = CheckFileProperties(f);
        EXPECT_EQ(failure.value_or("(none)"), c.message ? c.message : "(none)")
            << c.path << " '" << c.title << "' " << c.searchable << c.inContents;
    }
}

TEST(FilePropertiesCheckTest, StoreKeepsPathAndKey) {
    Project p;
    p.files = {Entry("/s/a.htm")};
    p.files[0].orderKey = "00001000";
    SourceFile edited;
    edited.path = "/elsewhere/x.htm";
    edited.orderKey = "99999999";
    edited.title = "T";
    edited.description = "D";
    edited.keywords = "K";
    edited.searchable = 1;
    edited.inContents = 1;
    edited.excluded = 1;
    edited.preprocess = 1;
    StoreFileProperties(p, 0, edited);
    edited.path = "/s/a.htm";
    edited.orderKey = "00001000";
    EXPECT_EQ(p.files[0], edited);
    EXPECT_TRUE(p.IsModified());
}

}  // namespace
}  // namespace nbx
