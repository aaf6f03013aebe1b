#include "common/CommandLine.h"

#include <gtest/gtest.h>

namespace nbx {
namespace {

using Words = std::vector<std::string>;

TEST(CommandLineTest, SplitsOnBlanksOutsideQuotes) {
    const std::pair<const char*, Words> cases[] = {
        {"/p/tamsel /b/book.nxp", {"/p/tamsel", "/b/book.nxp"}},
        {"/p/tamsel \"/b/My Book/book.nxp\"", {"/p/tamsel", "/b/My Book/book.nxp"}},
        {"  a\t b  ", {"a", "b"}},
        {"\"\"", {""}},
        {"a\"b c\"d", {"ab cd"}},
        {"\"say \\\"hi\\\" \\\\ \\n\"", {"say \"hi\" \\ \\n"}},
        {"C:\\dir\\x", {"C:\\dir\\x"}},  // outside quotes a backslash is itself
        {"\"open to the end", {"open to the end"}},
        {"", {}},
    };
    for (const auto& [line, words] : cases) {
        EXPECT_EQ(SplitCommandLine(line), words) << line;
    }
}

TEST(CommandLineTest, AQuotedWordComesBackWhole) {
    for (const char* word : {"", "plain", "/My Book/b.nxp", "q\"uote", "back\\slash\\", "\\\"",
                             " lead and trail ", "tab\there"}) {
        EXPECT_EQ(SplitCommandLine(QuoteCommandArgument(word)), Words{word}) << word;
        EXPECT_EQ(SplitCommandLine("prog " + CommandWord(word) + " next"),
                  (Words{"prog", word, "next"}))
            << word;
    }
    EXPECT_EQ(CommandWord("/usr/lib/tamsel"), "/usr/lib/tamsel");
    EXPECT_EQ(CommandWord("/opt/My Apps/tamsel"), "\"/opt/My Apps/tamsel\"");
}

}  // namespace
}  // namespace nbx
