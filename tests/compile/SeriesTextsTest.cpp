#include "compile/SeriesTexts.h"

#include <gtest/gtest.h>

namespace nbx {
namespace {

TEST(SeriesTextsTest, DurationWritesAtMostThreeNonZeroParts) {
    const std::pair<std::uint64_t, const char*> cases[] = {
        {3 * 1500, "4 seconds"},  // milliseconds only when nothing larger is written
        {2 * 200, "400 milliseconds"},
        {1000, "1 second"},
        {0, "0 milliseconds"},
        {86400000ull + 3600000 + 60000 + 1000, "1 day 1 hour 1 minute"},
        {2 * 86400000ull + 5 * 60000, "2 days 5 minutes"},
        // 1,000,000 books of 5 s each overflow 32 bits; the estimate must not wrap.
        {1000000ull * 5000, "57 days 20 hours 53 minutes"},
    };
    for (const auto& [total, text] : cases) {
        EXPECT_EQ(SeriesDurationText(total), text) << total;
    }
}

TEST(SeriesTextsTest, DiskSpaceScalesCountAndSize) {
    EXPECT_EQ(SeriesDiskSpaceText(1000, 1500000), "1616 Megabytes");
    EXPECT_EQ(SeriesDiskSpaceText(10, 500), "5000 bytes");
    EXPECT_EQ(SeriesDiskSpaceText(2, 300000), "602 Kilobytes");
    EXPECT_EQ(SeriesDiskSpaceText(1000000, 100000000), "101101 Gigabytes");
}

TEST(SeriesTextsTest, NameTemplatesKeepTheEndingAsWritten) {
    const auto lower = SeriesNameTemplate::FromPath("/out/book.exe");
    ASSERT_TRUE(lower);
    EXPECT_EQ(lower->PathAt(7), "/out/book7.exe");
    EXPECT_EQ(lower->NameAt(12), "book12.exe");
    EXPECT_EQ(SeriesNameTemplate::FromPath("/out/Book.EXE")->PathAt(1), "/out/Book1.EXE");
    EXPECT_FALSE(SeriesNameTemplate::FromPath("/out/book.com"));
    EXPECT_FALSE(SeriesNameTemplate::FromPath(".exe"));
    EXPECT_TRUE(SeriesNameTemplate::FromPath("a.exe"));
}

TEST(SeriesTextsTest, SummaryNamesAndQuestion) {
    EXPECT_EQ(SeriesSummaryText(1, false), "1 E-Book EXE (1 files).");
    EXPECT_EQ(SeriesSummaryText(3, false), "3 E-Book EXEs (3 files).");
    EXPECT_EQ(SeriesSummaryText(3, true), "3 E-Book EXEs and 3 Rebrander EXEs (6 files).");
    EXPECT_EQ(SeriesSummaryText(1, true), "1 E-Book EXE and 1 Rebrander EXE (2 files).");
    const auto book = *SeriesNameTemplate::FromPath("/o/b.exe");
    const auto rebrander = *SeriesNameTemplate::FromPath("/o/r.exe");
    EXPECT_EQ(SeriesNamesText(book, nullptr, 1, 3), "b1.exe to b3.exe.");
    EXPECT_EQ(SeriesNamesText(book, &rebrander, 1, 3), "b1.exe to b3.exe, and r1.exe to r3.exe.");
    EXPECT_EQ(SeriesQuestionText("X", "N", "D", "S"),
              "Build Series:\n\nYou have asked to build X\n\nThe files will be named N\n\nWe "
              "estimate this will take D to finish., and will require S of disk space.\n\nDo you "
              "wish to proceed?");
}

TEST(SeriesTextsTest, RangeChecks) {
    EXPECT_EQ(CheckSeriesRange(5, 5),
              "First item in series must be numbered smaller than last item.");
    EXPECT_EQ(CheckSeriesRange(0, 1000000), "Too many E-Books in series.");
    EXPECT_EQ(CheckSeriesRange(1, 1000000), "");
}

// A name without an ending takes the number at its end; a name with an ending other than
// ".exe" is still refused; dots in the folder do not count.
TEST(SeriesTextsTest, NamesWithoutAnEndingTakeTheNumberAtTheEnd) {
    const struct {
        const char* path;
        const char* at17;  // nullptr: refused
    } cases[] = {
        {"/out/garden", "/out/garden17"},
        {"/my.books/garden", "/my.books/garden17"},
        {"garden", "garden17"},
        {"/out/garden.exe", "/out/garden17.exe"},
        {"/out/garden.bin", nullptr},
        {"/my.books/garden.", nullptr},
        {"/out/", nullptr},
    };
    for (const auto& c : cases) {
        const auto t = SeriesNameTemplate::FromPath(c.path);
        ASSERT_EQ(t.has_value(), c.at17 != nullptr) << c.path;
        if (t) {
            EXPECT_EQ(t->PathAt(17), c.at17);
        }
    }
}

// The numbers the dialog takes, with its messages, and no others.
TEST(SeriesTextsTest, TheDialogsNumbersOnly) {
    const std::string first = "Please enter an integer between 0 and 999999.";
    const std::string last = "Please enter an integer between 1 and 999999.";
    const std::string order = "First item in series must be numbered smaller than last item.";
    const struct {
        std::int64_t first, last;
        std::string message;
    } cases[] = {
        {0, 999999, ""},    {1, 2, ""},    {-1, 5, first}, {1000000, 1000001, first}, {0, 0, last},
        {0, 1000000, last}, {5, -3, last}, {7, 7, order},  {999999, 1, order},        {0, 1, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckSeriesNumbers(c.first, c.last), c.message) << c.first << " " << c.last;
    }
}

}  // namespace
}  // namespace nbx
