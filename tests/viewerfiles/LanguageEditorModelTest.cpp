#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/RecordingPrompter.h"
#include "support/TempDir.h"
#include "viewerfiles/LanguageEditorModel.h"
#include "viewerfiles/LanguageTestFiles.h"

namespace nbx {
namespace {

using test::LanguageBytes;

class LanguageEditorModelTest : public ::testing::Test {
protected:
    LanguageEditorModelTest() {
        language = dir.Write("Mine.lng", LanguageBytes({{1, 'F', "4.22"},
                                                        {2, 'F', "en"},
                                                        {30, 'R', "Message"},
                                                        {10, 'L', "&File"},
                                                        {20, 'D', "Go back\nBack"},
                                                        {40, 'H', "<p>\n</p>"},
                                                        {50, 'P', "no purpose"}}));
        translation = dir.Write("translat.dat", LanguageBytes({{1, 'F', "Version"},
                                                               {10, 'R', "Same purpose"},
                                                               {20, 'R', "Same purpose"},
                                                               {30, 'R', "A message"},
                                                               {40, 'R', "\xC3\xA4 page"}}));
    }

    test::TempDir dir;
    std::string language;
    std::string translation;
    test::RecordingPrompter prompter;
};

TEST_F(LanguageEditorModelTest, RowsLeaveOutFixedItemsAndSortByPurposeThenKey) {
    LanguageEditorModel model;
    ASSERT_TRUE(model.Load(language, translation, prompter));
    struct Expected {
        std::int32_t key;
        char flag;
        const char* purpose;
        const char* value;
    };
    // Bytes compare unsigned, so the UTF-8 purpose sorts last.
    const Expected expected[] = {
        {30, 'R', "A message", "Message"},       {50, 'P', "LANGDATA Error", "no purpose"},
        {10, 'L', "Same purpose", "&File"},      {20, 'D', "Same purpose", "Go back\nBack"},
        {40, 'H', "\xC3\xA4 page", "<p>\n</p>"},
    };
    ASSERT_EQ(model.rows().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const LanguageRow& row = model.rows()[i];
        EXPECT_EQ(row.key, expected[i].key) << i;
        EXPECT_EQ(row.flag, expected[i].flag) << i;
        EXPECT_EQ(row.purpose, expected[i].purpose) << i;
        EXPECT_EQ(row.value, expected[i].value) << i;
        EXPECT_EQ(row.number, static_cast<int>(i + 1));
    }
    EXPECT_FALSE(model.modified());
    EXPECT_EQ(LanguageEditorModel::Title("Mine"), "Edit Language File - Mine");
}

TEST_F(LanguageEditorModelTest, UnreadableFilesCloseTheEditorWithTheirMessage) {
    LanguageEditorModel model;
    EXPECT_FALSE(model.Load(dir.File("none.lng"), translation, prompter));
    EXPECT_FALSE(model.Load(language, dir.File("none.dat"), prompter));
    EXPECT_EQ(prompter.messages,
              (std::vector<std::string>{"Can't read language data.",
                                        "Can't read translation information, translat.dat"}));
}

TEST_F(LanguageEditorModelTest, SaveWritesEditsWithTheirFlags) {
    LanguageEditorModel model;
    ASSERT_TRUE(model.Load(language, translation, prompter));
    model.SetValue(3, "Return\nRet");
    EXPECT_TRUE(model.modified());
    EXPECT_EQ(model.rows()[3].value, "Return\nRet");
    ASSERT_TRUE(model.Save(prompter));

    CLanguageMap saved;
    ASSERT_TRUE(saved.Read(language));
    char flag = 0;
    EXPECT_EQ(saved.GetText(20, flag), "Return\nRet");
    EXPECT_EQ(flag, 'D');
    EXPECT_EQ(saved.GetText(1), "4.22");  // fixed items are kept
    EXPECT_EQ(saved.Count(), 7u);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(LanguageEditorModelTest, FailedSaveKeepsTheChangesInTheEditor) {
    LanguageEditorModel model;
    ASSERT_TRUE(model.Load(language, translation, prompter));
    model.SetValue(0, "Changed");
    // The file's place is taken by a folder the save cannot replace.
    std::filesystem::remove(language);
    dir.Write("Mine.lng/blocker", "x");
    EXPECT_FALSE(model.Save(prompter));
    EXPECT_EQ(prompter.messages, (std::vector<std::string>{"Unable to save changes."}));
    EXPECT_TRUE(model.modified());
    EXPECT_EQ(model.language().GetText(30), "Changed");
}

TEST_F(LanguageEditorModelTest, CancelAsksOnlyWhenModified) {
    LanguageEditorModel model;
    ASSERT_TRUE(model.Load(language, translation, prompter));
    EXPECT_TRUE(model.ConfirmCancel(prompter));
    EXPECT_TRUE(prompter.questions.empty());

    model.SetValue(0, "Changed");
    prompter.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(model.ConfirmCancel(prompter));
    EXPECT_TRUE(model.ConfirmCancel(prompter));
    ASSERT_EQ(prompter.questions.size(), 2u);
    EXPECT_EQ(prompter.questions[0].text, "Are you sure that you want to discard your changes?");
    EXPECT_EQ(prompter.questions[0].defaultAnswer, Answer::No);
    // Cancel writes nothing.
    CLanguageMap onDisk;
    ASSERT_TRUE(onDisk.Read(language));
    EXPECT_EQ(onDisk.GetText(30), "Message");
}

}  // namespace
}  // namespace nbx
