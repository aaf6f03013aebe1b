#include <gtest/gtest.h>

#include <string>

#include "format/RandomAccessInput.h"
#include "support/TempDir.h"
#include "viewerfiles/CLanguageMap.h"
#include "viewerfiles/LanguageFormat.h"
#include "viewerfiles/LanguageTestFiles.h"

namespace nbx {
namespace {

using test::LanguageBytes;
using test::Record;

bool ReadBytes(const std::string& bytes, CLanguageMap& map) {
    MemoryInput input(bytes);
    return map.Read(input);
}

TEST(ScrambleLanguageTextTest, XorsEachCharacterWithItsPositionModFour) {
    EXPECT_EQ(ScrambleLanguageText("AAAAAA"), std::string("A@CBA@"));
    EXPECT_EQ(ScrambleLanguageText(ScrambleLanguageText("4.22 \xC3\xA4")), "4.22 \xC3\xA4");
}

TEST(CLanguageMapTest, StoredTextIsPlainFlagThenScrambledValue) {
    CLanguageMap map;
    map.SetText(7, 'R', "abcd");
    ASSERT_EQ(map.Count(), 1u);
    EXPECT_EQ(map.begin()->second,
              std::string("R") + "a" + char('b' ^ 1) + char('c' ^ 2) + char('d' ^ 3));
    char flag = 0;
    EXPECT_EQ(map.GetText(7, flag), "abcd");
    EXPECT_EQ(flag, 'R');
}

TEST(CLanguageMapTest, MissingKeyGivesLangdataErrorAndFlagN) {
    CLanguageMap map;
    map.SetText(1, 'F', "4.22");
    char flag = 0;
    EXPECT_EQ(map.GetText(2, flag), "LANGDATA Error");
    EXPECT_EQ(flag, 'N');
    EXPECT_EQ(map.GetText(2), "LANGDATA Error");
}

TEST(CLanguageMapTest, WriteThenReadGivesTheSameTable) {
    test::TempDir dir;
    CLanguageMap map;
    map.SetText(1, 'F', "4.22");
    map.SetText(-5, 'H', "<p>\r\nline\ttab</p>");
    map.SetText(300, 'T', "All|*|");
    map.SetText(9, 'P', "");
    const std::string path = dir.File("x.lng");
    ASSERT_TRUE(map.Write(path)) << map.error();

    CLanguageMap read;
    ASSERT_TRUE(read.Read(path)) << read.error();
    ASSERT_EQ(read.Count(), 4u);
    for (const auto& [key, stored] : map) {
        EXPECT_TRUE(read.Contains(key));
        char a = 0;
        char b = 0;
        EXPECT_EQ(read.GetText(key, a), map.GetText(key, b));
        EXPECT_EQ(a, b);
    }
    // Ascending key order makes the bytes reproducible.
    std::string again;
    StringSink sink(again);
    ASSERT_TRUE(read.WriteTo(sink));
    EXPECT_EQ(again, test::ReadWholeFile(path));
}

TEST(CLanguageMapTest, RepeatedKeyTheLaterRecordWins) {
    CLanguageMap map;
    ASSERT_TRUE(
        ReadBytes(LanguageBytes({{5, 'R', "first"}, {6, 'R', "x"}, {5, 'P', "second"}}), map));
    EXPECT_EQ(map.Count(), 2u);
    char flag = 0;
    EXPECT_EQ(map.GetText(5, flag), "second");
    EXPECT_EQ(flag, 'P');
}

TEST(CLanguageMapTest, CountOfZeroOrLessReadsEmpty) {
    for (const std::int32_t count : {0, -1, -2147483647 - 1}) {
        CLanguageMap map;
        map.SetText(9, 'R', "before");
        // The records after such a count are not read.
        ASSERT_TRUE(ReadBytes(LanguageBytes({{1, 'F', "4.22"}}, count), map)) << count;
        EXPECT_EQ(map.Count(), 0u) << count;
    }
}

TEST(CLanguageMapTest, DamagedFilesFailAndLeaveTheTableEmpty) {
    const std::string whole = LanguageBytes({{1, 'F', "4.22"}, {2, 'R', "hello"}});
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty file", ""},
        {"magic cut short", whole.substr(0, 3)},
        {"wrong magic", LanguageBytes({{1, 'F', "4.22"}}, std::nullopt, 0x13651408)},
        {"unmasked magic", std::string("\x07\x14\x65\x13\x00\x00\x00\x00", 8)},
        {"count missing", whole.substr(0, 4)},
        {"count larger than the records", LanguageBytes({{1, 'F', "4.22"}}, 3)},
        {"key cut short", whole.substr(0, 10)},
        {"length missing", whole.substr(0, 12)},
        {"text cut short", whole.substr(0, whole.size() - 1)},
        {"huge text length",
         LanguageBytes({}, 1) + std::string("\x3D\x3C\x3C\x3C\xC3\xC3\xC3\x43", 8)},
        {"negative text length",
         LanguageBytes({}, 1) + std::string("\x3D\x3C\x3C\x3C\xC3\xC3\xC3\xC3", 8)},
    };
    for (const Case& c : cases) {
        CLanguageMap map;
        map.SetText(9, 'R', "before");
        EXPECT_FALSE(ReadBytes(c.bytes, map)) << c.what;
        EXPECT_EQ(map.Count(), 0u) << c.what;
        EXPECT_FALSE(map.error().empty()) << c.what;
    }
}

// A file of tiny records is held at several times its size: one over the limit is refused
// before a record is read, one at the limit reads.
TEST(CLanguageMapTest, AFileOverTheSizeLimitIsRefusedUnread) {
    const std::size_t header = 16;  // magic, count, one key, one length
    const std::string atLimit =
        LanguageBytes({{1, 'F', std::string(lang::kMaxFileSize - header - 1, 'x')}});
    ASSERT_EQ(atLimit.size(), lang::kMaxFileSize);
    CLanguageMap map;
    EXPECT_TRUE(ReadBytes(atLimit, map)) << map.error();
    EXPECT_EQ(map.Count(), 1u);

    const std::string over = atLimit + "y";
    EXPECT_FALSE(ReadBytes(over, map));
    EXPECT_EQ(map.Count(), 0u);
    EXPECT_NE(map.error().find("at most 1048576"), std::string::npos) << map.error();

    test::TempDir dir;
    const std::string path = dir.Write("huge.lng", over);
    EXPECT_FALSE(map.Read(path));
    EXPECT_NE(map.error().find("huge.lng"), std::string::npos) << map.error();
}

TEST(CLanguageMapTest, BytesAfterTheLastRecordAreIgnored) {
    CLanguageMap map;
    EXPECT_TRUE(ReadBytes(LanguageBytes({{1, 'F', "4.22"}}) + "trailing", map));
    EXPECT_EQ(map.GetText(1), "4.22");
}

TEST(CLanguageMapTest, MissingFileFailsWithItsPath) {
    test::TempDir dir;
    CLanguageMap map;
    EXPECT_FALSE(map.Read(dir.File("none.lng")));
    EXPECT_NE(map.error().find("none.lng"), std::string::npos);
}

TEST(CLanguageMapTest, FailedWriteLeavesTheOldFile) {
    test::TempDir dir;
    CLanguageMap map;
    map.SetText(1, 'F', "4.22");
    EXPECT_FALSE(map.Write(dir.File("no/such/folder/x.lng")));
    EXPECT_FALSE(map.error().empty());

    // A target that can't be replaced (a folder) keeps what it was.
    const std::string folderTarget = dir.File("taken.lng");
    dir.Write("taken.lng/inside", "keep");
    EXPECT_FALSE(map.Write(folderTarget));
    EXPECT_EQ(test::ReadWholeFile(dir.File("taken.lng/inside")), "keep");
}

}  // namespace
}  // namespace nbx
