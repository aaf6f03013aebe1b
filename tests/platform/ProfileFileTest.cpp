#include "platform/ProfileFile.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace nbx::platform {
namespace {

using test::ReadWholeFile;
using test::TempDir;

class ProfileFileTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string ini = dir.File("test.ini");
};

TEST_F(ProfileFileTest, MissingFileGivesDefaults) {
    EXPECT_EQ(ReadProfileString(ini, "A", "B", "fallback"), "fallback");
    EXPECT_EQ(ReadProfileInt(ini, "A", "B", 42), 42);
    EXPECT_TRUE(ListProfileSections(ini).empty());
}

TEST_F(ProfileFileTest, LooksUpSectionsAndKeysWithoutCase) {
    dir.Write("test.ini",
              "; a comment\r\n[Program]\r\nCompiler = /opt/tamsel \r\n"
              "[EBook]\r\nNickName=\"Quoted Name\"\r\nCount=-12xyz\r\nEmpty=\r\n");
    EXPECT_EQ(ReadProfileString(ini, "PROGRAM", "compiler", ""), "/opt/tamsel");
    EXPECT_EQ(ReadProfileString(ini, "ebook", "NICKNAME", ""), "Quoted Name");
    EXPECT_EQ(ReadProfileString(ini, "ebook", "empty", "x"), "");
    EXPECT_EQ(ReadProfileString(ini, "ebook", "nickname", "", 6), "Quoted");
    EXPECT_EQ(ReadProfileInt(ini, "EBOOK", "count", 0), -12);
    EXPECT_EQ(ReadProfileInt(ini, "EBOOK", "NickName", 7), 0);
    // A key of another section is not found.
    EXPECT_EQ(ReadProfileString(ini, "Program", "NickName", "none"), "none");
}

TEST_F(ProfileFileTest, WriteKeepsEveryOtherLine) {
    const std::string before =
        "; settings\n[First]\nKeep=1\n\n[Second]\n; note\nValue=old\nOther=2\n\n[Third]\nX=y\n";
    dir.Write("test.ini", before);
    ASSERT_TRUE(WriteProfileString(ini, "second", "VALUE", "new"));
    ASSERT_TRUE(WriteProfileString(ini, "First", "Added", "a"));
    ASSERT_TRUE(WriteProfileString(ini, "Fourth", "K", "v"));
    EXPECT_EQ(ReadWholeFile(ini),
              "; settings\n[First]\nKeep=1\nAdded=a\n\n[Second]\n; note\nValue=new\nOther=2\n\n"
              "[Third]\nX=y\n[Fourth]\nK=v\n");
}

TEST_F(ProfileFileTest, WriteCreatesFileAndKeepsCrLf) {
    ASSERT_TRUE(WriteProfileString(ini, "S", "K", "v"));
    EXPECT_EQ(ReadProfileString(ini, "s", "k", ""), "v");
    dir.Write("crlf.ini", "[S]\r\nK=1\r\n");
    ASSERT_TRUE(WriteProfileString(dir.File("crlf.ini"), "S", "K", "2"));
    EXPECT_EQ(ReadWholeFile(dir.File("crlf.ini")), "[S]\r\nK=2\r\n");
}

TEST_F(ProfileFileTest, BareNamesLiveInTheConfigurationFolder) {
    ASSERT_TRUE(WriteProfileString("bare.ini", "S", "K", "v"));
    EXPECT_EQ(ReadProfileString("bare.ini", "S", "K", ""), "v");
    EXPECT_FALSE(ReadWholeFile(std::string(getenv("NBX_CONFIG_DIR")) + "/bare.ini").empty());
}

// A line break in a value would end its line and start a section of the writer's choosing; a
// NUL would end the value for every reader that stops there. The file stays as it was.
TEST_F(ProfileFileTest, TextsThatDoNotFitOnALineAreRefused) {
    const std::string before = "[NBXKWIK]\nAUTHOR=Ann\n";
    dir.Write("test.ini", before);
    const struct {
        std::string section, key, value;
    } cases[] = {
        {"NBXKWIK", "AUTHOR", "Ann\n[EXTENSION1]\nLOAD=/tmp/x.so"},
        {"NBXKWIK", "AUTHOR", "Ann\r[EXTENSION1]"},
        {"NBXKWIK", "AUTHOR", std::string("Ann\0more", 8)},
        {"NBXKWIK", "AUTHOR\nLOAD", "x"},
        {"NBXKWIK]\n[EXTENSION1", "LOAD", "x"},
    };
    for (const auto& c : cases) {
        std::string why;
        EXPECT_FALSE(WriteProfileString(ini, c.section, c.key, c.value, &why)) << c.value;
        EXPECT_NE(why.find("line break or a NUL character"), std::string::npos) << why;
        EXPECT_NE(why.find(ini), std::string::npos) << why;
        EXPECT_EQ(ReadWholeFile(ini), before);
    }
    std::string why;
    EXPECT_FALSE(WriteProfileString(ini, "NBXKWIK", "AUTHOR", "a\nb", &why));
    EXPECT_EQ(why.rfind("The setting AUTHOR in " + ini + " was not saved", 0), 0u) << why;
    EXPECT_TRUE(FitsProfileLine("Ann \t[x] = y"));
}

TEST_F(ProfileFileTest, AFileThatCannotBeWrittenIsNamedWithTheReason) {
    std::string why;
    dir.Write("file", "not a folder");
    EXPECT_FALSE(WriteProfileString(dir.File("file/x.ini"), "S", "K", "v", &why));
    EXPECT_EQ(
        why.rfind("The setting K was not saved: " + dir.File("file/x.ini") + " cannot be written: ",
                  0),
        0u)
        << why;
}

// A value cut to a buffer's size keeps whole characters: half of one would name another
// folder next time.
TEST_F(ProfileFileTest, LongValuesAreCutBetweenCharacters) {
    const std::string folder = "/" + std::string(253, 'a') + "\xc3\xa9z";  // 'é' over byte 255
    ASSERT_TRUE(WriteProfileString(ini, "S", "FOLDER", folder));
    EXPECT_EQ(ReadProfileString(ini, "S", "FOLDER", "", 255), "/" + std::string(253, 'a'));
    EXPECT_EQ(ReadProfileString(ini, "S", "FOLDER", "", 256), folder.substr(0, 256));
    EXPECT_EQ(ReadProfileString(ini, "S", "missing", folder, 255), "/" + std::string(253, 'a'));
}

TEST_F(ProfileFileTest, SectionNamesInFileOrderWithinTheByteLimit) {
    dir.Write("test.ini", "[Zeta]\n[alpha]\nk=v\n[ EXTENSION2 ]\n");
    EXPECT_EQ(ListProfileSections(ini), (std::vector<std::string>{"Zeta", "alpha", "EXTENSION2"}));
    // "Zeta\0alpha\0" + final terminator = 12 bytes; the third name does not fit in 20.
    EXPECT_EQ(ListProfileSections(ini, 12), (std::vector<std::string>{"Zeta", "alpha"}));
    EXPECT_EQ(ListProfileSections(ini, 11), (std::vector<std::string>{"Zeta"}));
    EXPECT_TRUE(ListProfileSections(ini, 0).empty());
}

}  // namespace
}  // namespace nbx::platform
