// "Edit System Pages": the page it opens on, the file lists and writing back.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "appmodel/SystemPagesRules.h"
#include "platform/ProfileFile.h"
#include "project/Project.h"

namespace nbx {
namespace {

TEST(SystemPagesRules, SectionChoosesThePage) {
    EXPECT_EQ(SystemPagesTabForSection(0), SystemPagesTab::About);
    EXPECT_EQ(SystemPagesTabForSection(1), SystemPagesTab::About);
    EXPECT_EQ(SystemPagesTabForSection(3), SystemPagesTab::Search);
    EXPECT_EQ(SystemPagesTabForSection(4), SystemPagesTab::Contents);
    EXPECT_EQ(SystemPagesTabForSection(5), SystemPagesTab::Colors);
    EXPECT_EQ(SystemPagesTabForSection(6), SystemPagesTab::About);
}

TEST(SystemPagesRules, ExcludedAboutFileIsNotOfferedAndOkStoresItEmpty) {
    Project project;
    for (const char* path : {"/s/a.htm", "/s/pic.gif", "/s/b.html", "/s/c.htm"}) {
        SourceFile file;
        file.path = path;
        project.files.push_back(file);
    }
    project.files[2].excluded = 1;
    project.aboutPage = 2;
    project.aboutFile = "b.html";
    project.contentsFile = "c.htm";
    EXPECT_EQ(SystemPageFileChoices(project), (std::vector<std::string>{"a.htm", "c.htm"}));
    const SystemPagesValues values = SystemPagesOf(project);
    EXPECT_EQ(values.aboutFile, "");
    EXPECT_EQ(values.contentsFile, "c.htm");
    ASSERT_TRUE(ApplySystemPages(values, project));
    EXPECT_EQ(project.aboutFile, "");
    EXPECT_TRUE(project.IsModified());
}

TEST(SystemPagesRules, NicknameGoesToTheMachineFileEvenUnchanged) {
    Project project;
    project.affiliateNickname = "reseller";
    ASSERT_TRUE(ApplySystemPages(SystemPagesOf(project), project));
    EXPECT_EQ(platform::ReadProfileString("QUORLIN.INI", "EBook", "NickName", ""), "reseller");
    Project next;  // the next new project starts with it
    EXPECT_EQ(next.affiliateNickname, "reseller");
}

// A nickname read from a project file may hold anything; one of several lines stays in the
// project but is not written where every new project would read it, and the caller is told.
TEST(SystemPagesRules, ANicknameOfSeveralLinesIsStoredButNotRemembered) {
    ASSERT_TRUE(platform::WriteProfileString("QUORLIN.INI", "EBook", "NickName", "before"));
    Project project;
    project.affiliateNickname = "seller\n[EXTENSION1]";
    std::string why;
    EXPECT_FALSE(ApplySystemPages(SystemPagesOf(project), project, &why));
    EXPECT_NE(why.find("line break"), std::string::npos) << why;
    EXPECT_EQ(project.affiliateNickname, "seller\n[EXTENSION1]");
    EXPECT_EQ(platform::ReadProfileString("QUORLIN.INI", "EBook", "NickName", ""), "before");
    EXPECT_THAT(platform::ListProfileSections("QUORLIN.INI"), ::testing::ElementsAre("EBook"));
}

// The field takes 32 bytes: a longer nickname is shown cut between characters.
TEST(SystemPagesRules, ALongNicknameIsCutBetweenCharacters) {
    Project project;
    project.affiliateNickname = std::string(31, 'n') + "\xc3\xa9";
    EXPECT_EQ(SystemPagesOf(project).nickname, std::string(31, 'n'));
}

TEST(SystemPagesRules, EnablingByKind) {
    EXPECT_TRUE(NicknameEnabled(0));
    EXPECT_FALSE(NicknameEnabled(1));
    EXPECT_FALSE(NicknameEnabled(2));
    EXPECT_TRUE(PageFileEnabled(2));
    EXPECT_FALSE(PageFileEnabled(1));
    EXPECT_TRUE(ContentsDescriptionsEnabled(0));
    EXPECT_FALSE(ContentsDescriptionsEnabled(2));
}

}  // namespace
}  // namespace nbx
