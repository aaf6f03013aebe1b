#include "common/TextToHtml.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace nbx {
namespace {

// The conversion written out step by step, the slow and obvious way, as the reference that
// the one-pass version must match.
void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    std::string out;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = text.find(from, pos)) != std::string::npos;
         pos = hit + from.size()) {
        out.append(text, pos, hit - pos);
        out += to;
    }
    out.append(text, pos);
    text = out;
}

void ReplaceRepeatedly(std::string& text, const std::string& from, const std::string& to) {
    std::string before;
    do {
        before = text;
        ReplaceAll(text, from, to);
    } while (text != before);
}

std::string ThirteenSteps(std::string text) {
    ReplaceAll(text, "&", "&amp;");
    ReplaceAll(text, "<", "&lt;");
    ReplaceAll(text, ">", "&gt;");
    ReplaceAll(text, "\"", "&quot;");
    ReplaceAll(text, "\t", "    ");
    ReplaceAll(text, "\r\n", "\n");
    ReplaceAll(text, "\r", "\n");
    ReplaceRepeatedly(text, " \n", "\n");
    ReplaceAll(text, "\n", "<BR>");
    ReplaceRepeatedly(text, "    ", "&nbsp;&nbsp;&nbsp;&nbsp;");
    ReplaceRepeatedly(text, "   ", "&nbsp;&nbsp;&nbsp;");
    ReplaceRepeatedly(text, "  ", "&nbsp;&nbsp;");
    std::string before;
    do {
        before = text;
        ReplaceAll(text, " &nbsp;", "&nbsp;&nbsp;");
        ReplaceAll(text, "&nbsp; ", "&nbsp;&nbsp;");
    } while (text != before);
    return text;
}

std::string Converted(std::string text) {
    ConvertTextToHtml(text);
    return text;
}

std::string Nbsp(int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += "&nbsp;";
    return out;
}

struct Case {
    const char* what;
    std::string text;
    std::string html;
};

TEST(TextToHtmlTest, ConvertsTheCasesThatMatter) {
    const Case cases[] = {
        {"empty", "", ""},
        {"single space stays", "a b", "a b"},
        {"two spaces", "a  b", "a" + Nbsp(2) + "b"},
        {"three spaces", "a   b", "a" + Nbsp(3) + "b"},
        {"four spaces", "a    b", "a" + Nbsp(4) + "b"},
        {"five spaces", "a     b", "a" + Nbsp(5) + "b"},
        {"nine spaces", "a         b", "a" + Nbsp(9) + "b"},
        {"tab between words", "a\tb", "a" + Nbsp(4) + "b"},
        {"space and tab", "a \tb", "a" + Nbsp(5) + "b"},
        {"trailing space and tab before CRLF", "x \t\r\ny", "x<BR>y"},
        {"lone CR", "one\rtwo", "one<BR>two"},
        {"LF", "one\ntwo", "one<BR>two"},
        {"CR CR LF is two breaks", "a\r\r\nb", "a<BR><BR>b"},
        {"LF CR is two breaks", "a\n\rb", "a<BR><BR>b"},
        {"blank line of spaces", "a\n   \nb", "a<BR><BR>b"},
        {"spaces after a break stay", "a\n  b", "a<BR>" + Nbsp(2) + "b"},
        {"specials", "<b>&\"", "&lt;b&gt;&amp;&quot;"},
        {"typed entity stays visible", "&nbsp;", "&amp;nbsp;"},
        {"two spaces at the end", "a  ", "a" + Nbsp(2)},
        {"one space at the end", "a ", "a "},
        {"spaces at the start", "  a", Nbsp(2) + "a"},
        {"only spaces", "     ", Nbsp(5)},
        {"spaces around an entity", "a  & b", "a" + Nbsp(2) + "&amp; b"},
        {"bytes above 127 pass", "caf\xC3\xA9  \xFF", "caf\xC3\xA9" + Nbsp(2) + "\xFF"},
        {"NUL passes", std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Converted(c.text), c.html);
        EXPECT_EQ(ThirteenSteps(c.text), c.html) << "the reference disagrees with the table";
    }
}

TEST(TextToHtmlTest, MatchesTheStepByStepVersionOnRandomTexts) {
    // Weighted towards the characters whose handling interacts: spaces, tabs and breaks.
    static const char kAlphabet[] = "      \t\t\r\r\n\n&<>\"ab";
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
    std::uniform_int_distribution<int> length(0, 40);
    for (int round = 0; round < 500; ++round) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += kAlphabet[pick(random)];
        ASSERT_EQ(Converted(text), ThirteenSteps(text)) << "text: [" << text << "]";
    }
}

}  // namespace
}  // namespace nbx
