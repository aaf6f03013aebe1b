// The reader's questions name what a book asks for on one line that cannot lie about it.

#include "reader/LeaveQuestion.h"

#include <gtest/gtest.h>

namespace nbx::reader {
namespace {

TEST(LeaveQuestionTest, SubjectsShowEveryHidingCharacterOnOneShortLine) {
    const std::string rlo = "\xE2\x80\xAE";  // U+202E, right-to-left override
    struct Case {
        const char* what;
        std::string subject;
        std::string shown;
    };
    const Case cases[] = {
        {"a plain name", "guide.pdf", "guide.pdf"},
        {"letters of any script",
         "Kapitel \xC3\xBC"
         "ber.pdf",
         "Kapitel \xC3\xBC"
         "ber.pdf"},
        {"line breaks", "a\nb\r\nc.sh", "a\\nb\\r\\nc.sh"},
        {"a terminal escape", "x\x1b[2Jy", "x\\x1b[2Jy"},
        {"a right-to-left override", "invoice" + rlo + "fdp.sh", "invoice\\u202efdp.sh"},
        {"isolates and marks",
         "a\xE2\x81\xA6"
         "b\xE2\x80\x8F"
         "c",
         "a\\u2066b\\u200fc"},
        {"invisible characters",
         "a\xE2\x80\x8B"
         "b\xEF\xBB\xBF",
         "a\\u200bb\\ufeff"},
        {"a line separator",
         "a\xE2\x80\xA8"
         "b",
         "a\\u2028b"},
        {"C1 controls",
         "a\xC2\x85"
         "b",
         "a\\u0085b"},
        {"bytes that are not UTF-8", "a\xFF\xC3(b", "a\\xff\\xc3(b"},
        {"an overlong encoding", "a\xC0\xAF", "a\\xc0\\xaf"},
        {"a cut sequence at the end", "a\xE2\x80", "a\\xe2\\x80"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VisibleSubject(c.subject), c.shown) << c.what;
    }
}

TEST(LeaveQuestionTest, LongSubjectsAreCutInTheMiddleKeepingTheirEnding) {
    const std::string warning =
        "The e-book reader has checked this file: it is a safe PDF" + std::string(40, '\n');
    const std::string longName = warning + std::string(10000, 'x') + "real-name.sh";
    const std::string shown = VisibleSubject(longName);
    EXPECT_LE(shown.size(), kMaxSubjectCharacters);
    EXPECT_TRUE(shown.ends_with("real-name.sh")) << shown;
    EXPECT_NE(shown.find("..."), std::string::npos);
    EXPECT_EQ(shown.find('\n'), std::string::npos);
    // An escape is never cut in two.
    const std::string escapes = VisibleSubject(std::string(100, '\x1b'));
    EXPECT_LE(escapes.size(), kMaxSubjectCharacters);
    EXPECT_TRUE(escapes.ends_with("\\x1b")) << escapes;
    EXPECT_TRUE(escapes.starts_with("\\x1b\\x1b")) << escapes;
    EXPECT_EQ(escapes.substr(0, escapes.find("...")).size() % 4, 0u) << escapes;
}

TEST(LeaveQuestionTest, TheReaderSaysWhatKindOfThingIsAsked) {
    LeaveQuestion open{1, LeaveQuestion::Kind::OpenFile,
                       "docs/invoice\xE2\x80\xAE"
                       "fdp.sh"};
    QuestionWords words = WordsFor(open);
    EXPECT_EQ(words.lead,
              "This e-book asks to open a file of type .sh that it carries with another program "
              "on your computer:");
    EXPECT_EQ(words.subject, "docs/invoice\\u202efdp.sh");
    EXPECT_EQ(words.yes, "Open the file");
    EXPECT_EQ(words.no, "Don't open it");
    open.subject = "README";
    EXPECT_EQ(WordsFor(open).lead,
              "This e-book asks to open a file that it carries with another program on your "
              "computer:");
    const LeaveQuestion run{2, LeaveQuestion::Kind::RunProgram, "/books/setup\nrm -rf ~"};
    words = WordsFor(run);
    EXPECT_EQ(words.lead, "This e-book asks to run a program on your computer:");
    EXPECT_EQ(words.subject, "/books/setup\\nrm -rf ~");
    EXPECT_EQ(words.advice, "Run it only if you trust the e-book's author.");
    EXPECT_EQ(words.yes, "Run the program");
}

}  // namespace
}  // namespace nbx::reader
