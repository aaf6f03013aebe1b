// The Rebrander stub made by the build, used the way a reseller gets it: rebrand.dat with a
// Rebrander record joined to it, run beside its e-book without a display.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <csignal>
#include <filesystem>
#include <random>

#include "format/ArchiveReader.h"
#include "platform/Paths.h"
#include "reader/ReaderBook.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"
#include "support/TestBook.h"
#include "support/TestRebrander.h"

namespace nbx {
namespace {

constexpr std::uint32_t kBuildTime = 1730000000;

class RebrandProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::mt19937 gen(3);
        std::string photo(300000, '\0');
        for (char& c : photo) {
            c = static_cast<char>(gen());
        }
        BuildSettings settings;
        settings.title = "Pond Life";
        std::vector<test::TestBookFile> files = test::ReaderDataFiles(NBX_PROGRAM_DIR);
        test::TestBookFile index{"index.html", "<p>[={Shop}]</p>", ""};
        index.preprocess = 1;
        files.push_back(index);
        files.push_back({"photo.jpg", photo, ""});
        ASSERT_EQ(
            test::WriteTestBook(dir, platform::JoinPath(NBX_PROGRAM_DIR, "eview.dat"), bookPath,
                                settings, files, {{"Shop", "Your shop", "none", 1, 0}}, kBuildTime),
            "");
        original = test::ReadWholeFile(bookPath);
        WriteRebrander(kBuildTime);
    }

    void WriteRebrander(std::uint32_t buildTime) {
        const std::string stub =
            test::ReadWholeFile(platform::JoinPath(NBX_PROGRAM_DIR, "rebrand.dat"));
        ASSERT_GT(stub.size(), 1000u);
        RebranderRecord record;
        record.ebookFileName = "pond";
        record.rebranderTitle = "Rebrand Pond Life";
        ASSERT_TRUE(test::WriteTestRebrander(rebranderPath, stub, record, buildTime));
    }

    // The Rebrander with arguments, with no display to connect to; stderr joins stdout.
    std::string Rebrand(const std::string& arguments, int& status, const std::string& limits = "") {
        return test::RunCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM sh -c " +
                                    test::Quote(limits + "exec \"$0\" " + arguments) + " " +
                                    test::Quote(rebranderPath) + " 2>&1",
                                status);
    }

    std::string ShopValue() {
        ArchiveReader reader;
        EXPECT_TRUE(reader.Open(bookPath)) << reader.error();
        return reader.variables().empty() ? "?" : reader.variables()[0].value;
    }

    test::TempDir dir;
    const std::string bookPath = dir.File("pond");
    const std::string rebranderPath = dir.File("rebrand-pond");
    std::string original;
};

TEST_F(RebrandProgramTest, SetChangesTheValueWithoutADisplay) {
    int status = 0;
    std::string out = Rebrand("--set \"Shop=Frog & Newt\"", status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_EQ(out, "The e-book \"" + bookPath + "\" holds the new values.\n");
    EXPECT_EQ(ShopValue(), "Frog & Newt");

    // The page itself is unchanged; the reader puts the new value in when it shows it.
    reader::ReaderBook book;
    ASSERT_TRUE(book.Open(bookPath)) << book.error();
    const long index = book.FindLinked("index.html");
    ASSERT_GE(index, 0);
    std::string page;
    ASSERT_TRUE(book.ReadEntry(static_cast<std::size_t>(index), page));
    EXPECT_EQ(page, "<p>[={Shop}]</p>");
    ASSERT_TRUE(book.ReadPage(static_cast<std::size_t>(index), {}, page));
    EXPECT_EQ(page, "<p>Frog & Newt</p>");

    out = Rebrand("--list", status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_EQ(out, "# Your shop (HTML Fragment)\nShop=Frog & Newt\n");
}

TEST_F(RebrandProgramTest, BookOfAnotherBuildFails) {
    WriteRebrander(kBuildTime + 1);
    int status = 0;
    const std::string out = Rebrand("--set Shop=x", status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << out;
    EXPECT_EQ(out.rfind("This Rebrander belongs to the e-book \"pond\" built ", 0), 0u) << out;
    EXPECT_TRUE(test::ReadWholeFile(bookPath) == original);
}

// The program is killed by the system half-way through writing (a file-size limit below the
// e-book's size): the e-book must still be the old one, whole.
TEST_F(RebrandProgramTest, KilledHalfWayLeavesTheBookIntact) {
    int status = 0;
    const std::string out = Rebrand("--set Shop=killed", status, "ulimit -f 100; ");
    ASSERT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) > 128)) << out;
    EXPECT_TRUE(test::ReadWholeFile(bookPath) == original);
    EXPECT_EQ(ShopValue(), "none");
}

}  // namespace
}  // namespace nbx
