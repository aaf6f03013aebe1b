#include "variables/IncludeFile.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/RecordingPrompter.h"
#include "support/TempDir.h"
#include "variables/VariableKind.h"

namespace nbx {
namespace {

TEST(IncludeFileTest, CheckLooksAtTheFirst4095BytesOnly) {
    test::TempDir dir;
    struct Case {
        const char* what;
        std::string bytes;
        IncludeFileCheck expected;
    };
    const Case cases[] = {
        {"text with tab and breaks", "a\tb\r\nc\n", kIncludeFileOk},
        {"bytes above 127 are text", "caf\xC3\xA9 \xFF\x80", kIncludeFileOk},
        {"empty", "", kIncludeFileEmpty},
        {"one 0x01", "\x01", kIncludeFileNotText},
        {"NUL", std::string("a\0b", 3), kIncludeFileNotText},
        {"escape", "a\x1B[0m", kIncludeFileNotText},
        {"DEL is text", "a\x7F", kIncludeFileOk},
        {"control byte at 4095", std::string(4094, 'a') + '\x02', kIncludeFileNotText},
        {"NUL after 4095", std::string(4095, 'a') + std::string(1, '\0'), kIncludeFileOk},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CheckIncludeFile(dir.Write("f.txt", c.bytes)), c.expected);
    }
    EXPECT_EQ(CheckIncludeFile(dir.File("missing.txt")), kIncludeFileCannotOpen);
    EXPECT_EQ(CheckIncludeFile(dir.path()), kIncludeFileCannotOpen);
    EXPECT_EQ(CheckIncludeFile(""), kIncludeFileCannotOpen);
}

TEST(IncludeFileTest, NeitherCheckNorReadWaitsOnAPipe) {
    test::TempDir dir;
    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(CheckIncludeFile(fifo), kIncludeFileCannotOpen);
    std::string text = "stale";
    EXPECT_FALSE(ReadIncludeFile(fifo, text));
    EXPECT_EQ(text, "");
}

TEST(IncludeFileTest, ConfirmAcceptsOrAsks) {
    test::TempDir dir;
    const std::string good = dir.Write("good.htm", "<p>hi</p>");
    const std::string binary = dir.Write("bin.dat", "\x01\x02");
    const std::string empty = dir.Write("empty.txt", "");

    test::RecordingPrompter prompter;
    EXPECT_TRUE(ConfirmIncludeFile(good, prompter));
    EXPECT_FALSE(ConfirmIncludeFile(dir.File("missing"), prompter));
    EXPECT_EQ(prompter.messages, (std::vector<std::string>{"File does not exist."}));
    EXPECT_TRUE(prompter.questions.empty());

    EXPECT_FALSE(ConfirmIncludeFile(binary, prompter));  // default answer: No
    prompter.answers = {Answer::Yes, Answer::Yes};
    EXPECT_TRUE(ConfirmIncludeFile(binary, prompter));
    EXPECT_TRUE(ConfirmIncludeFile(empty, prompter));
    ASSERT_EQ(prompter.questions.size(), 3u);
    EXPECT_EQ(prompter.questions[0].text,
              "The file does not appear to contain text or HTML data. You can include it "
              "anyway, but if you do, the invalid characters will be converted to spaces.\n\n"
              "Include this file?");
    EXPECT_EQ(prompter.questions[0].buttons, Buttons::YesNo);
    EXPECT_EQ(prompter.questions[0].defaultAnswer, Answer::No);
    EXPECT_EQ(prompter.questions[2].text, "The file is empty, include it anyway?");
    EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST(IncludeFileTest, ReadTurnsControlBytesIntoSpacesAndTabsIntoFour) {
    test::TempDir dir;
    struct Case {
        const char* what;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"plain", "<b>x</b>\r\n", "<b>x</b>\r\n"},
        {"one 0x01", "\x01", " "},
        {"NUL and controls", std::string("a\0b\x1F\x7F\xE9", 6), "a b \x7F\xE9"},
        {"tabs", "\ta\t", "    a    "},
        {"NUL after the checked bytes", std::string(5000, 'x') + std::string(1, '\0') + "y",
         std::string(5000, 'x') + " y"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string text;
        EXPECT_TRUE(ReadIncludeFile(dir.Write("f", c.bytes), text));
        EXPECT_EQ(text, c.text);
    }
    for (const std::string& bad : {dir.Write("empty", ""), dir.File("missing"), dir.path()}) {
        std::string text = "stale";
        EXPECT_FALSE(ReadIncludeFile(bad, text)) << bad;
        EXPECT_EQ(text, "");
    }
}

TEST(IncludeFileTest, ResolveByKind) {
    test::TempDir dir;
    const std::string file = dir.Write("inc.txt", "a  <b>\r\n");
    struct Case {
        std::int32_t kind;
        std::string stored;
        bool ok;
        std::string resolved;
    };
    const Case cases[] = {
        {kHtmlFragment, "<i>x</i>", true, "<i>x</i>"},
        {kTextToHtml, "a  <b>", true, "a  <b>"},  // converted by the reader, not here
        {kLongHtmlFragment, file, true, file},
        {kLongTextToHtml, "", true, ""},
        {kIncludeHtml, file, true, "a  <b>\r\n"},
        {kIncludeTextToHtml, file, true, "a&nbsp;&nbsp;&lt;b&gt;<BR>"},
        {kIncludeHtml, dir.File("missing"), false, ""},
        {kIncludeTextToHtml, dir.Write("empty", ""), false, ""},
        {-1, "x", false, ""},
        {6, "x", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        std::string resolved = "stale";
        EXPECT_EQ(ResolveVariableValue(c.kind, c.stored, resolved), c.ok);
        EXPECT_EQ(resolved, c.resolved);
    }
}

}  // namespace
}  // namespace nbx
