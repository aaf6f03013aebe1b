#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/RecordingPrompter.h"
#include "support/TempDir.h"
#include "viewerfiles/LanguageFiles.h"
#include "viewerfiles/LanguageList.h"
#include "viewerfiles/LanguageTestFiles.h"

namespace nbx {
namespace {

using Names = std::vector<std::string>;

TEST(LanguageFilesTest, PathsAreInTheProgramFolderOrErrorXyz) {
    {
        test::ProgramFolder folder("/opt/nbx/tamsel");
        EXPECT_EQ(TranslationInfoPath(), "/opt/nbx/translat.dat");
        EXPECT_EQ(LanguagePath("Deutsch"), "/opt/nbx/Deutsch.lng");
    }
    test::ProgramFolder folder("tamsel");  // no folder part
    EXPECT_EQ(TranslationInfoPath(), "error.xyz");
    EXPECT_EQ(LanguagePath("English"), "error.xyz");
}

class LanguageListTest : public ::testing::Test {
protected:
    void Add(const std::string& name) { dir.Write(name, "x"); }
    test::TempDir dir;
};

TEST_F(LanguageListTest, ListsLngFilesByNameCutAtTheFirstDot) {
    Add("English.lng");
    Add("Deutsch.lng");
    Add("my.old.lng");  // listed as "my"
    Add("notes.txt");
    Add("French.LNG");  // LanguagePath could not find it by "French"
    Add(".hidden.lng");
    std::filesystem::create_directory(dir.File("Folder.lng"));
    const LanguageList list = ListLanguagesIn(dir.path(), "English");
    EXPECT_EQ(list.names, (Names{"Deutsch", "English", "my"}));
    EXPECT_EQ(list.selected, 1);
}

TEST_F(LanguageListTest, SelectsTheLastNameEqualIgnoringCaseElseTheFirst) {
    Add("deutsch.lng");
    Add("Deutsch.lng");
    Add("Espanol.lng");
    struct Case {
        const char* wanted;
        int selected;
    };
    for (const Case c : {Case{"DEUTSCH", 1}, Case{"espanol", 2}, Case{"Klingon", 0}, Case{"", 0}}) {
        const LanguageList list = ListLanguagesIn(dir.path(), c.wanted);
        EXPECT_EQ(list.names, (Names{"Deutsch", "deutsch", "Espanol"}));
        EXPECT_EQ(list.selected, c.selected) << c.wanted;
    }
}

TEST_F(LanguageListTest, EmptyOrMissingFolderGivesAnEmptyList) {
    EXPECT_EQ(ListLanguagesIn(dir.path(), "English").selected, -1);
    EXPECT_TRUE(ListLanguagesIn(dir.File("missing"), "English").names.empty());
}

TEST_F(LanguageListTest, FillUsesTheProgramFolder) {
    Add("English.lng");
    Add("Deutsch.lng");
    test::RecordingPrompter prompter;
    {
        test::ProgramFolder folder(dir.File("tamsel"));
        const LanguageList list = FillLanguageList("deutsch", prompter);
        EXPECT_EQ(list.names, (Names{"Deutsch", "English"}));
        EXPECT_EQ(list.selected, 0);
    }
    EXPECT_TRUE(prompter.messages.empty());

    test::ProgramFolder folder("tamsel");
    EXPECT_TRUE(FillLanguageList("English", prompter).names.empty());
    EXPECT_EQ(prompter.messages, (Names{"Error finding language data!"}));
}

}  // namespace
}  // namespace nbx
