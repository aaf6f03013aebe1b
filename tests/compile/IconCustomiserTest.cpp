#include <gtest/gtest.h>

#include <random>
#include <string>

#include "compile/ErrorReport.h"
#include "compile/IconCustomiser.h"
#include "platform/Paths.h"
#include "support/RecordingPrompter.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

std::string IconBytes(unsigned seed, std::size_t size = icon::kRequiredSize) {
    std::mt19937 rng(seed);
    std::string s(size, '\0');
    for (char& c : s) {
        c = static_cast<char>(rng());
    }
    return s;
}

// A compiler folder with a stock icon, a custom icon and a stub to patch.
class IconCustomiserTest : public ::testing::Test {
protected:
    void SetUp() override {
        stock = IconBytes(1);
        custom = IconBytes(2);
        dir.Write("program/icons/Books/idr_main.ico", stock);
        folder = dir.File("program");
        customPath = dir.Write("custom.ico", custom);
    }

    // A stub of `length` zero bytes with the stock icon at `at`.
    std::string MakeStub(std::size_t length, std::size_t at) {
        std::string s(length, '\0');
        s.replace(at, stock.size(), stock);
        return dir.Write("stub.vmt", s);
    }

    bool Run(const std::string& stubPath, const std::string& iconPath) {
        return CustomiseIcon(stubPath, iconPath, folder, prompter);
    }

    std::string OnlyMessage() {
        EXPECT_EQ(prompter.messages.size(), 1u);
        return prompter.messages.empty() ? "" : prompter.messages[0];
    }

    test::TempDir dir;
    test::RecordingPrompter prompter;
    std::string stock, custom, folder, customPath;
};

TEST_F(IconCustomiserTest, IconInsideTheWindowIsReplaced) {
    // At the window's start, in its middle, and ending exactly at the stub's end (the layout
    // of the reader stub the build makes).
    for (std::size_t at : {std::size_t{395000}, std::size_t{450123}, std::size_t{494000}}) {
        SCOPED_TRACE(at);
        const std::string stub = MakeStub(std::max<std::size_t>(at + 766, 495000), at);
        const std::string before = test::ReadWholeFile(stub);
        ASSERT_TRUE(Run(stub, customPath)) << OnlyMessage();
        std::string after = test::ReadWholeFile(stub);
        EXPECT_EQ(after.substr(at, 766), custom);
        after.replace(at, 766, stock);
        EXPECT_TRUE(after == before) << "bytes outside the icon changed";
    }
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(IconCustomiserTest, BytesThatDifferFromTheStockIconStayPut) {
    // Inside a program the icon file's header is not stored next to its image.
    std::string s(495000, '\0');
    std::string placed = stock;
    placed[3] = static_cast<char>(placed[3] ^ 0xFF);
    placed[700] = static_cast<char>(placed[700] ^ 0xFF);
    s.replace(420000, placed.size(), placed);
    const std::string stub = dir.Write("stub.vmt", s);
    ASSERT_TRUE(Run(stub, customPath));
    const std::string after = test::ReadWholeFile(stub).substr(420000, 766);
    for (std::size_t j = 0; j < 766; ++j) {
        EXPECT_EQ(after[j], (j == 3 || j == 700) ? placed[j] : custom[j]) << "byte " << j;
    }
}

TEST_F(IconCustomiserTest, DefaultIconWritesTheSameBytes) {
    const std::string stub = MakeStub(495000, 400000);
    const std::string before = test::ReadWholeFile(stub);
    ASSERT_TRUE(Run(stub, platform::JoinPath(folder, "icons/Books/idr_main.ico")));
    EXPECT_TRUE(test::ReadWholeFile(stub) == before);
}

TEST_F(IconCustomiserTest, FailuresShowTheirMessage) {
    const std::string stubOk = MakeStub(495000, 400000);
    struct Case {
        const char* name;
        std::string stub;
        std::string icon;
        const char* title;
    };
    const Case cases[] = {
        {"icon before the window", MakeStub(495000, 394999), customPath,
         "Can't write custom icon to E-Book."},
        {"icon past the window", MakeStub(496000, 494235), customPath,
         "Can't write custom icon to E-Book."},
        {"stub too short to search", MakeStub(395765, 394999), customPath,
         "Can't write custom icon to E-Book."},
        {"custom icon of 765 bytes", stubOk, dir.Write("765.ico", IconBytes(3, 765)),
         "Bad custom icon."},
        {"custom icon of 767 bytes", stubOk, dir.Write("767.ico", IconBytes(3, 767)),
         "Bad custom icon."},
        {"custom icon missing", stubOk, dir.File("missing.ico"), "Can't find custom icon."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.messages.clear();
        EXPECT_FALSE(Run(c.stub, c.icon));
        EXPECT_EQ(OnlyMessage().rfind(std::string("Error:\n") + c.title +
                                          "\n\nHow you can fix "
                                          "this:\n",
                                      0),
                  0u)
            << OnlyMessage();
        EXPECT_EQ(prompter.icons.back(), MessageIcon::None);
    }
}

TEST_F(IconCustomiserTest, StockIconProblems) {
    const std::string stub = MakeStub(495000, 400000);
    dir.Write("program/icons/Books/idr_main.ico", IconBytes(1, 700));
    EXPECT_FALSE(Run(stub, customPath));
    EXPECT_EQ(OnlyMessage(),
              BuildErrorText("Bad original icon.",
                             "Your original icon choice does not appear to be the correct "
                             "format.\n\nFree some disk space on the drive where the output file "
                             "is stored. Close other applications. Consider saving your "
                             "work and rebooting.\n\nIf the problem continues to occur, it may be "
                             "that your installation of Nimbrel E-Book is corrupted and you need "
                             "to re-install the software."));
    prompter.messages.clear();
    folder = dir.File("elsewhere");
    EXPECT_FALSE(Run(stub, customPath));
    EXPECT_EQ(OnlyMessage().rfind("Error:\nCan't find original icon.\n\n", 0), 0u);
}

TEST_F(IconCustomiserTest, UnopenableStubIsASystemError) {
    const std::string missing = dir.File("gone.vmt");
    EXPECT_FALSE(Run(missing, customPath));
    EXPECT_EQ(OnlyMessage(),
              SystemErrorReportText("Error opening temporary stub file.",
                                    "Attempting to open temporary file: " + missing, ENOENT,
                                    "1. Free some disk space on the drive where your temporary "
                                    "files are stored.\n2. Close other applications.\n3. "
                                    "Try saving your work and rebooting."));
}

TEST(ErrorReportTest, MessageForms) {
    EXPECT_EQ(BuildErrorText("Missing File.", "Click 'Refresh Files'."),
              "Error:\nMissing File.\n\nHow you can fix this:\nClick 'Refresh Files'.");
    const std::string system = SystemMessageForReport(ENOSPC);
    EXPECT_FALSE(system.empty());
    EXPECT_EQ(system.find('\n'), std::string::npos);
    EXPECT_EQ(SystemErrorReportText("T.", "doing x", ENOSPC, "1. y"),
              "T.\n\nError Occurred During:doing x\n\nDetailed Error Information:" + system +
                  "\n\nPossible solution(s):\n1. y");
    EXPECT_EQ(SystemErrorReportText("T.", "", ENOSPC, "s"),
              "T.\n\nDetailed Error Information:" + system + "\n\nPossible solution(s):\ns");
}

}  // namespace
}  // namespace nbx
