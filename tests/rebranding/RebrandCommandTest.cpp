// rebrand --list and --set, run in-process with their streams pointed at buffers.

#include "rebranding/RebrandCommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "format/ArchiveReader.h"
#include "support/TempDir.h"
#include "support/TestBook.h"
#include "support/TestRebrander.h"

namespace nbx {
namespace {

constexpr std::uint32_t kBuildTime = 1710000000;

class RebrandCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        BuildSettings settings;
        settings.title = "Tea";
        const std::string stub = dir.Write("stub", "any stub bytes");
        ASSERT_EQ(
            test::WriteTestBook(dir, stub, bookPath, settings, {{"index.html", "<p>hi</p>", ""}},
                                {{"Shop", "Your shop", "none", 1, 0},
                                 {"Note", "A note", "n", 1, 3},
                                 {"Own", "", "mine", 0, 0}},
                                kBuildTime),
            "");
        RebranderRecord record;
        record.ebookFileName = "tea";
        ASSERT_TRUE(test::WriteTestRebrander(rebranderPath, "stub", record, kBuildTime));
    }

    int Run(std::vector<std::string> arguments) {
        out.str("");
        err.str("");
        return RunRebrandCommand(rebranderPath, arguments, out, err);
    }

    std::string ValueOf(const std::string& name) {
        ArchiveReader reader;
        EXPECT_TRUE(reader.Open(bookPath)) << reader.error();
        for (const auto& v : reader.variables()) {
            if (v.name == name) {
                return v.value;
            }
        }
        return "?";
    }

    test::TempDir dir;
    const std::string bookPath = dir.File("tea");
    const std::string rebranderPath = dir.File("rebrand");
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(RebrandCommandTest, ListPrintsTheRebrandableVariables) {
    EXPECT_EQ(Run({"--list"}), 0);
    EXPECT_EQ(out.str(),
              "# Your shop (HTML Fragment)\nShop=none\n"
              "# A note (Long Text to convert to HTML)\nNote=n\n");
    EXPECT_EQ(err.str(), "");
}

TEST_F(RebrandCommandTest, SetWritesEveryAssignment) {
    EXPECT_EQ(Run({"--set", "Shop=Leaf & Co", "Note=two\nlines", "--list"}), 0) << err.str();
    EXPECT_EQ(err.str(), "The e-book \"" + bookPath + "\" holds the new values.\n");
    EXPECT_NE(out.str().find("Shop=Leaf & Co\n"), std::string::npos);
    EXPECT_EQ(ValueOf("Shop"), "Leaf & Co");
    EXPECT_EQ(ValueOf("Note"), "two\nlines");
    EXPECT_EQ(Run({"--set", "Shop=A", "--set", "Note=B"}), 0) << err.str();
    EXPECT_EQ(ValueOf("Shop"), "A");
    EXPECT_EQ(ValueOf("Note"), "B");
}

TEST_F(RebrandCommandTest, ListShowsControlCharactersInsteadOfSendingThem) {
    EXPECT_EQ(Run({"--set", "Note=a\x1b[2Jb\nc\x07", "--list"}), 0) << err.str();
    EXPECT_NE(out.str().find("\nNote=a\\x1b[2Jb\\nc\\x07\n"), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find('\x1b'), std::string::npos);
    EXPECT_EQ(ValueOf("Note"), "a\x1b[2Jb\nc\x07");  // the value itself is kept
}

// The e-book's name comes from the Rebrander's record: whether the e-book is found or not,
// its escapes and direction overrides reach the terminal as text.
TEST_F(RebrandCommandTest, TheRecordsEBookNameIsShownWithItsControlsVisible) {
    const std::string name =
        "tea\x1b]0;owned\x07\xe2\x80\xae"
        "fdp";
    const std::string shown = "tea\\x1b]0;owned\\x07\\u202efdp";
    RebranderRecord record;
    record.ebookFileName = name;
    ASSERT_TRUE(test::WriteTestRebrander(rebranderPath, "stub", record, kBuildTime));
    const auto expectNothingRaw = [this] {
        for (const std::string& text : {out.str(), err.str()}) {
            EXPECT_EQ(text.find('\x1b'), std::string::npos) << text;
            EXPECT_EQ(text.find("\xe2\x80\xae"), std::string::npos) << text;
        }
    };

    EXPECT_EQ(Run({"--list"}), 1);
    EXPECT_NE(err.str().find("\"" + shown + "\""), std::string::npos) << err.str();
    expectNothingRaw();

    std::filesystem::copy_file(bookPath, dir.File(name));
    EXPECT_EQ(Run({"--set", "Shop=x", "--list"}), 0) << err.str();
    EXPECT_EQ(err.str(), "The e-book \"" + dir.File(shown) + "\" holds the new values.\n");
    expectNothingRaw();
}

TEST_F(RebrandCommandTest, FailuresExitNonZeroAndChangeNothing) {
    const std::string before = test::ReadWholeFile(bookPath);
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string message;  // the start of stderr
    };
    const Case cases[] = {
        {{"--set"}, 2, "rebrand: --set needs at least one NAME=VALUE\n\nUsage:"},
        {{"--set", "Shop"}, 2, "rebrand: expected NAME=VALUE after --set, got \"Shop\"\n"},
        {{"Shop=x"}, 2, "rebrand: unknown argument \"Shop=x\"\n"},
        {{"--lsit"}, 2, "rebrand: unknown argument \"--lsit\"\n"},
        {{"--set", "Shop=x", "Missing=y"}, 1, "The e-book \"tea\" has no variable \"Missing\".\n"},
        {{"--set", "Own=x"},
         1,
         "The variable \"Own\" of the e-book \"tea\" cannot be rebranded.\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.arguments), c.status) << c.message;
        EXPECT_EQ(err.str().rfind(c.message, 0), 0u) << err.str();
        EXPECT_TRUE(test::ReadWholeFile(bookPath) == before);
    }
    RebranderRecord record;
    record.ebookFileName = "tea";
    ASSERT_TRUE(test::WriteTestRebrander(rebranderPath, "stub", record, kBuildTime - 1));
    EXPECT_EQ(Run({"--set", "Shop=x"}), 1);
    EXPECT_EQ(err.str().rfind("This Rebrander belongs to the e-book \"tea\"", 0), 0u) << err.str();
    EXPECT_TRUE(test::ReadWholeFile(bookPath) == before);
}

TEST(RebrandCommandLineTest, OnlyConsoleOptionsSkipTheWindow) {
    EXPECT_TRUE(IsRebrandCommandLine({"--set", "A=1"}));
    EXPECT_TRUE(IsRebrandCommandLine({"--list"}));
    EXPECT_TRUE(IsRebrandCommandLine({"-platform", "offscreen", "--help"}));
    EXPECT_TRUE(IsRebrandCommandLine({"--lsit"}));
    EXPECT_FALSE(IsRebrandCommandLine({}));
    EXPECT_FALSE(IsRebrandCommandLine({"-platform", "offscreen"}));
}

}  // namespace
}  // namespace nbx
