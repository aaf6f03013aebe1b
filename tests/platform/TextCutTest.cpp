#include "platform/TextCut.h"

#include <gtest/gtest.h>

namespace nbx::platform {
namespace {

TEST(TextCutTest, CutsBetweenCharactersOnly) {
    const struct {
        const char* what;
        std::string text;
        std::size_t limit;
        std::string cut;
    } cases[] = {
        {"short text stays", "abc", 5, "abc"},
        {"ASCII is cut at the limit", "abcdef", 4, "abcd"},
        {"two-byte character split: goes whole", "ab\xc3\xa9", 3, "ab"},
        {"two-byte character ending at the limit stays", "ab\xc3\xa9z", 4, "ab\xc3\xa9"},
        {"three-byte character split after one byte", "a\xe2\x82\xac", 2, "a"},
        {"three-byte character split after two bytes", "a\xe2\x82\xac", 3, "a"},
        {"four-byte character split after three bytes", "a\xf0\x9f\x93\x96", 4, "a"},
        {"lone 8-bit character is a byte", "ab\xe9z", 3, "ab\xe9"},
        {"broken sequence is cut like bytes", "ab\xe2\x82z", 3, "ab\xe2"},
        {"stray continuation bytes are bytes", "a\x80\x80\x80\x80", 3, "a\x80\x80"},
        {"limit zero", "\xc3\xa9", 0, ""},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        CutToCharacterBoundary(text, c.limit);
        EXPECT_EQ(text, c.cut) << c.what;
        EXPECT_EQ(CutToCharacterBoundary(std::string_view(c.text), c.limit), c.cut) << c.what;
    }
}

}  // namespace
}  // namespace nbx::platform
