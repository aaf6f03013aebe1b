#include <gtest/gtest.h>

#include <string>

#include "viewerfiles/LanguageValueEdit.h"

namespace nbx {
namespace {

TEST(LanguageValueEditTest, FlagChoosesTheDialog) {
    struct Case {
        char flag;
        LanguageEditKind kind;
    };
    const Case cases[] = {
        {'D', LanguageEditKind::TwoPart},   {'L', LanguageEditKind::TwoPart},
        {'T', LanguageEditKind::TwoPart},   {'H', LanguageEditKind::LongText},
        {'R', LanguageEditKind::LongText},  {'x', LanguageEditKind::LongText},
        {'\0', LanguageEditKind::LongText}, {'P', LanguageEditKind::ShortText},
        {'W', LanguageEditKind::ShortText}, {'Z', LanguageEditKind::ShortText},
        {'F', LanguageEditKind::Fixed},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EditKindOfFlag(c.flag), c.kind) << c.flag;
    }
    EXPECT_EQ(TextEditTitle('H'), "Edit Language Text (HTML)");
    EXPECT_EQ(TextEditTitle('R'), "Edit Language Text");
}

TEST(LanguageValueEditTest, LongFormShowsControlCharactersAsPairs) {
    struct Case {
        std::string value;
        std::string shown;
    };
    const Case cases[] = {
        {"<p>\r\nOne\tTwo</p>\n", "<p>\\r\\nOne\\tTwo</p>\\n"},
        {"C:\\Books\\x", "C:\\Books\\x"},  // a backslash that reads as nothing else stays single
        {"say \\n literally", "say \\\\n literally"},
        {"\\\t", "\\\\\\t"},  // backslash, then a tab
        {"end\\", "end\\"},
        {"\\\\", "\\\\\\"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EscapeLongText(c.value), c.shown) << c.value;
        EXPECT_EQ(UnescapeLongText(c.shown), c.value) << c.shown;
    }
    // What the author types: pairs become characters, other backslashes stay.
    EXPECT_EQ(UnescapeLongText("a\\nb\\tc\\rd\\qe\\"), "a\nb\tc\rd\\qe\\");
}

TEST(LanguageValueEditTest, LongFormRoundTripsEveryMixOfSpecialCharacters) {
    const char alphabet[] = {'\\', 't', 'n', 'r', '\t', '\n', '\r', 'x'};
    // Every string of up to four characters from the alphabet.
    for (int length = 0; length <= 4; ++length) {
        int total = 1;
        for (int i = 0; i < length; ++i) {
            total *= 8;
        }
        for (int code = 0; code < total; ++code) {
            std::string value;
            for (int i = 0, c = code; i < length; ++i, c /= 8) {
                value += alphabet[c % 8];
            }
            ASSERT_EQ(UnescapeLongText(EscapeLongText(value)), value);
        }
    }
}

TEST(LanguageValueEditTest, DescriptionWithoutLineFeedEditsFirstPartOnly) {
    const TwoPartFields f = SplitTwoPart('D', "Print this page");
    EXPECT_EQ(f.firstLabel, "Long Description");
    EXPECT_EQ(f.secondLabel, "Short Description");
    EXPECT_EQ(f.first, "Print this page");
    EXPECT_EQ(f.second, "");
    EXPECT_FALSE(f.secondEnabled);
    const TwoPartResult r = JoinTwoPart(f, "Print the page", "");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.value, "Print the page");
}

TEST(LanguageValueEditTest, DescriptionWithLineFeedNeedsTheShortPart) {
    const TwoPartFields f = SplitTwoPart('D', "Go back\nBack\nmore");
    EXPECT_EQ(f.first, "Go back");
    EXPECT_EQ(f.second, "Back\nmore");  // split at the first line feed only
    EXPECT_TRUE(f.secondEnabled);

    const TwoPartResult blank = JoinTwoPart(f, "Go back", "");
    EXPECT_FALSE(blank.ok);
    EXPECT_EQ(blank.message, "You left Short Description blank.");

    const TwoPartResult r = JoinTwoPart(f, "Return", "Ret");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.value, "Return\nRet");
}

TEST(LanguageValueEditTest, MenuItemKeepsAnUnchangedAccelerator) {
    const TwoPartFields f = SplitTwoPart('L', "&Print...\tCtrl+P");
    EXPECT_EQ(f.firstLabel, "Menu Item Text");
    EXPECT_EQ(f.secondLabel, "Accelerator Description");
    EXPECT_EQ(f.first, "&Print...");
    EXPECT_EQ(f.second, "Ctrl+P");
    const TwoPartResult r = JoinTwoPart(f, "&Drucken...", f.second);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.value, "&Drucken...\tCtrl+P");

    EXPECT_EQ(JoinTwoPart(f, "&Print...", "").message, "You left Accelerator Description blank.");

    const TwoPartFields title = SplitTwoPart('L', "&File");
    EXPECT_FALSE(title.secondEnabled);
    EXPECT_EQ(JoinTwoPart(title, "&Datei", "").value, "&Datei");
}

TEST(LanguageValueEditTest, FileTypeKeepsWildCardAndTail) {
    const TwoPartFields f = SplitTwoPart('T', "HTML Files|*.htm;*.html|htm|x");
    EXPECT_EQ(f.firstLabel, "File Description");
    EXPECT_EQ(f.secondLabel, "Wild Card");
    EXPECT_EQ(f.first, "HTML Files");
    EXPECT_EQ(f.second, "*.htm;*.html");
    EXPECT_EQ(f.tail, "|htm|x");
    EXPECT_FALSE(f.secondEnabled);

    const TwoPartResult bar = JoinTwoPart(f, "HTML|Files", f.second);
    EXPECT_FALSE(bar.ok);
    EXPECT_EQ(bar.message, "Illegal character (|) in File Description.");

    const TwoPartResult r = JoinTwoPart(f, "Web pages", f.second);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.value, "Web pages|*.htm;*.html|htm|x");

    const TwoPartFields one = SplitTwoPart('T', "All Files|*");
    EXPECT_EQ(one.tail, "");
    EXPECT_EQ(JoinTwoPart(one, "Everything", "").value, "Everything|*");

    // A value stored without any "|" is saved with the one its form requires.
    const TwoPartFields none = SplitTwoPart('T', "Odd");
    EXPECT_EQ(none.first, "Odd");
    EXPECT_EQ(none.second, "");
    EXPECT_EQ(JoinTwoPart(none, "Odd", "").value, "Odd|");
    EXPECT_EQ(JoinTwoPart(none, "Even", "").value, "Even|");
}

TEST(LanguageValueEditTest, LongValuesAreEditedWholeNotCut) {
    const std::string longPart(9000, 'a');
    const TwoPartFields f = SplitTwoPart('D', longPart + "\nshort");
    EXPECT_EQ(f.first.size(), 9000u);
    EXPECT_EQ(f.firstLimit, 9000u);
    EXPECT_EQ(f.secondLimit, 255u);
    EXPECT_EQ(JoinTwoPart(f, f.first, f.second).value, longPart + "\nshort");
    EXPECT_EQ(FieldLimit(9999, std::string(10000, 'x')), 10000u);
    EXPECT_EQ(FieldLimit(255, "short"), 255u);
}

}  // namespace
}  // namespace nbx
