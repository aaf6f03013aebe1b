#include "common/VisibleText.h"

#include <gtest/gtest.h>

namespace nbx {
namespace {

struct Case {
    std::string text;
    std::string shown;
};

TEST(VisibleTextTest, ControlCharactersAreWrittenAsEscapes) {
    const Case cases[] = {
        {"plain Café & <b>", "plain Café & <b>"},
        {"two\nlines\r\tend", "two\\nlines\\r\\tend"},
        {"\x1b]0;owned\x07", "\\x1b]0;owned\\x07"},
        {std::string("nul\0del\x7f", 8), "nul\\x00del\\x7f"},
        {"csi \xc2\x9b"
         "2J",
         "csi \\u009b2J"},
        {"nbsp \xc2\xa0 stays", "nbsp \xc2\xa0 stays"},
        {"lone \xc2", "lone \xc2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithVisibleControls(c.text), c.shown) << c.shown;
    }
}

// The characters that reorder or hide what follows them; the punctuation around them is
// text.
TEST(VisibleTextTest, DirectionCharactersAreWrittenAsEscapes) {
    const Case cases[] = {
        {"report\xe2\x80\xae"
         "fdp.sh",
         "report\\u202efdp.sh"},
        {"\xe2\x80\xaa\xe2\x80\xab\xe2\x80\xac\xe2\x80\xad", "\\u202a\\u202b\\u202c\\u202d"},
        {"\xe2\x81\xa6\xe2\x81\xa7\xe2\x81\xa8\xe2\x81\xa9", "\\u2066\\u2067\\u2068\\u2069"},
        {"dash \xe2\x80\x94 and \xe2\x80\x9c quotes \xe2\x80\x9d stay",
         "dash \xe2\x80\x94 and \xe2\x80\x9c quotes \xe2\x80\x9d stay"},
        // Invisible ones hide a difference or break a line.
        {"zero\xe2\x80\x8bwidth\xef\xbb\xbf \xe2\x80\x8e\xe2\x80\x8f",
         "zero\\u200bwidth\\ufeff \\u200e\\u200f"},
        {"para\xe2\x80\xa9line\xe2\x80\xa8 \xe2\x81\xaa", "para\\u2029line\\u2028 \\u206a"},
        {"cut \xe2\x80", "cut \xe2\x80"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithVisibleControls(c.text), c.shown) << c.shown;
    }
}

TEST(VisibleTextTest, MessagesKeepTheirLinesAndNothingElse) {
    const Case cases[] = {
        {"Title\n\n\tadvice", "Title\n\n\tadvice"},
        {"over\rwrite \x1b[2J\xe2\x80\xae", "over\\rwrite \\x1b[2J\\u202e"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithVisibleControls(c.text, LineBreaks::Keep), c.shown) << c.shown;
    }
}

// A serializer escapes C0 itself and lays its text out with line breaks; DEL, C1 and the
// direction characters it leaves raw become \u escapes, which read back as the same text.
TEST(VisibleTextTest, JsonKeepsItsLayoutAndEscapesWhatItLeftRaw) {
    const Case cases[] = {
        {"{\n  \"a\": \"x\\u001b[2J\"\n}", "{\n  \"a\": \"x\\u001b[2J\"\n}"},
        {"\"del\x7f c1\xc2\x9b rlo\xe2\x80\xae\"", "\"del\\u007f c1\\u009b rlo\\u202e\""},
        {"\"back\\\\\xe2\x81\xa6\"", "\"back\\\\\\u2066\""},
        {"\"Café\"", "\"Café\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(JsonWithVisibleControls(c.text), c.shown) << c.shown;
    }
}

}  // namespace
}  // namespace nbx
