// The question before anything leaves the reader is in the reader's own words, names what
// would leave exactly, and cannot be reworded by what it names.

#include <gtest/gtest.h>

#include "reader/LeaveQuestion.h"

namespace nbx::reader {
namespace {

TEST(LeaveQuestionTest, NamesWhatLeavesWithButtonsOfItsOwn) {
    const std::pair<LeaveKind, const char*> cases[] = {
        {LeaveKind::RunProgram, "/books/setup.sh"},
        {LeaveKind::OpenEntry, "chart.pdf"},
        {LeaveKind::OpenAddress, "https://sailing.example.com/club"},
    };
    for (const auto& [kind, what] : cases) {
        const LeaveQuestion q = AskBeforeLeaving(kind, what);
        EXPECT_NE(q.text.find(std::string("\n\n") + what + "\n\n"), std::string::npos) << q.text;
        EXPECT_FALSE(q.proceed.empty());
        EXPECT_FALSE(q.stay.empty());
        EXPECT_NE(q.proceed, q.stay);
    }
    EXPECT_EQ(AskBeforeLeaving(LeaveKind::RunProgram, "x").proceed, "Start the Program");
    EXPECT_NE(LocalFileRefusedMessage("file:///etc/passwd").find("\n\nfile:///etc/passwd\n\n"),
              std::string::npos);
}

TEST(LeaveQuestionTest, ANameCannotFakeLinesOrTurnItsTextAround) {
    const std::pair<std::string, std::string> cases[] = {
        {"setup.sh\n\nPress Start to open chapter 1", "setup.sh??Press Start to open chapter 1"},
        {"a\r\tb\x7f", "a??b?"},
        {"evil\u202Efdp.exe", "evil?fdp.exe"},  // right-to-left override
        {"x\u2066y\u2069z\u200F", "x?y?z?"},    // isolates and marks
        {"Kapit\u00e4n \u00fcber", "Kapit\u00e4n \u00fcber"},
        {"bad\xff\xc3", "bad??"},
        {"\xed\xa0\x80", "???"},  // an encoded surrogate is no character
    };
    for (const auto& [name, shown] : cases) {
        EXPECT_EQ(ShownName(name), shown);
    }
    const std::string longName(kShownNameLimit + 50, 'a');
    EXPECT_EQ(ShownName(longName), std::string(kShownNameLimit, 'a') + "...");
    EXPECT_EQ(ShownName(std::string(kShownNameLimit, 'b')), std::string(kShownNameLimit, 'b'));
    const LeaveQuestion q = AskBeforeLeaving(LeaveKind::RunProgram, "x\n\nPress Start");
    EXPECT_EQ(q.text.find("\n\nPress Start"), std::string::npos);
}

}  // namespace
}  // namespace nbx::reader
