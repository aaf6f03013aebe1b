#include <gtest/gtest.h>

#include <set>
#include <string>

#include "viewerfiles/TextTemplate.h"

namespace nbx {
namespace {

TEST(TextTemplateTest, FillsKnownPlaceholdersInOnePass) {
    const TemplateValues values = {{"title", "A {{page}} book"}, {"page", "P1"}, {"empty", ""}};
    struct Case {
        const char* text;
        const char* filled;
    };
    const Case cases[] = {
        {"<h1>{{title}}</h1>", "<h1>A {{page}} book</h1>"},  // values are not expanded again
        {"{{page}}{{page}}", "P1P1"},
        {"[{{empty}}]", "[]"},
        {"{{unknown}} {{page}}", "{{unknown}} P1"},
        {"{{{page}}}", "{P1}"},
        {"{{ page }} {{pa-ge}} {{}} {{page", "{{ page }} {{pa-ge}} {{}} {{page"},
        {"body { color: red; }", "body { color: red; }"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FillTemplate(c.text, values), c.filled) << c.text;
    }
}

TEST(TextTemplateTest, ListsThePlaceholdersOfAText) {
    EXPECT_EQ(PlaceholdersOf("{{a}} {{b}} {{a}} {{ c }} {{{d}}}"),
              (std::set<std::string>{"a", "b", "d"}));
    EXPECT_TRUE(PlaceholdersOf("no {placeholders} here").empty());
}

}  // namespace
}  // namespace nbx
