// The reader stub made by the build, used the way the compiler uses it: copied, given the
// author's icon, joined to an archive, and run.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "compile/IconCustomiser.h"
#include "platform/Paths.h"
#include "reader/ReaderBook.h"
#include "reader/StubIcon.h"
#include "support/RecordingPrompter.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"
#include "support/TestBook.h"

namespace nbx {
namespace {

const std::string kProgramDir = NBX_PROGRAM_DIR;

TEST(ViewerStubTest, StubHasTheStockIconAt494000) {
    const std::string stub = test::ReadWholeFile(platform::JoinPath(kProgramDir, "eview.dat"));
    const std::string icon =
        test::ReadWholeFile(platform::JoinPath(kProgramDir, "icons/Books/idr_main.ico"));
    ASSERT_EQ(icon.size(), 766u);
    ASSERT_EQ(stub.size(), 494000u + 766u);
    EXPECT_EQ(stub.substr(494000), icon);
    EXPECT_EQ(stub.substr(0, 4),
              "\x7F"
              "ELF");
}

TEST(ViewerStubTest, BuiltBookCarriesTheAuthorsIconForTheReader) {
    test::TempDir dir;
    const std::string stubCopy = dir.File("stub.vmt");
    std::filesystem::copy_file(platform::JoinPath(kProgramDir, "eview.dat"), stubCopy);
    const std::string before = test::ReadWholeFile(stubCopy);
    const std::string custom = platform::JoinPath(kProgramDir, "icons/Computers/globe.ico");
    test::RecordingPrompter prompter;
    ASSERT_TRUE(CustomiseIcon(stubCopy, custom, kProgramDir, prompter));
    const std::string patched = test::ReadWholeFile(stubCopy);
    EXPECT_TRUE(patched.substr(0, 494000) == before.substr(0, 494000));
    EXPECT_EQ(patched.substr(494000 + 22), test::ReadWholeFile(custom).substr(22));

    BuildSettings settings;
    settings.title = "My First Book";
    std::vector<test::TestBookFile> files = test::ReaderDataFiles(kProgramDir);
    files.push_back({"index.html", "<html>hello</html>", "Welcome"});
    const std::string book = dir.File("book");
    ASSERT_EQ(test::WriteTestBook(dir, stubCopy, book, settings, files), "");

    // The reader finds its book behind itself and its window icon where the build put it.
    reader::ReaderBook opened;
    ASSERT_TRUE(opened.Open(book)) << opened.error();
    EXPECT_EQ(opened.settings().title, "My First Book");
    EXPECT_EQ(reader::ReadStubIcon(book).substr(22), test::ReadWholeFile(custom).substr(22));
}

}  // namespace
}  // namespace nbx
