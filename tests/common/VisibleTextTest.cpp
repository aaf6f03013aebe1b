#include "common/VisibleText.h"

#include <gtest/gtest.h>

namespace nbx {
namespace {

TEST(VisibleTextTest, ControlCharactersAreWrittenAsEscapes) {
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
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

}  // namespace
}  // namespace nbx
