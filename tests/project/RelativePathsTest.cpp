// A project whose file holds paths relative to its folder keeps them relative through a save,
// so it still works after its folder moves; absolute paths stay absolute.

#include <filesystem>

#include <gtest/gtest.h>

#include "project/CTamselDoc.h"
#include "project/ProjectFileReader.h"
#include "project/ProjectFileWriter.h"
#include "project/SourceFolderScan.h"
#include "support/RecordingPrompter.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

namespace fs = std::filesystem;

TEST(RelativePathsTest, SavedRelativeAgainAndTheMovedFolderStillWorks) {
    test::TempDir dir;
    fs::copy(std::string(NBX_TEST_SOURCE_DIR) + "/examples/sample", dir.File("before"),
             fs::copy_options::recursive);
    test::RecordingPrompter prompter;
    CTamselDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("before/sample.nxp"), prompter));
    Project& p = doc.project();
    p.iconFile = dir.Write("elsewhere/book.ico", "icon");  // chosen absolute: stays absolute
    dir.Write("before/source/new.htm", "<title>New</title>");
    RescanSourceFolder(p, true, prompter);  // found now, inside the relative source folder
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("before/sample.nxp"), prompter));

    // What the file holds.
    ProjectSettings stored;
    const std::string bytes = test::ReadWholeFile(dir.File("before/sample.nxp"));
    ASSERT_EQ(DecodeProjectFile(bytes, stored).status, ProjectDecodeStatus::Ok);
    const struct {
        std::string stored;
        std::string expected;
    } cases[] = {
        {stored.sourceFolder, "source"},
        {stored.outputExe, "output/garden"},
        {stored.variables[1].value, "include/footer.htm"},
        {stored.iconFile, dir.File("elsewhere/book.ico")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.stored, c.expected);
    }
    for (const SourceFile& f : stored.files) {
        EXPECT_EQ(f.path.rfind("source/", 0), 0u) << f.path;
    }

    // Moved, it opens with every page, title and flag in place.
    fs::rename(dir.File("before"), dir.File("after"));
    CTamselDoc moved;
    ASSERT_TRUE(moved.OnOpenDocument(dir.File("after/sample.nxp"), prompter));
    ASSERT_EQ(moved.project().files.size(), p.files.size());
    for (std::size_t i = 0; i < p.files.size(); ++i) {
        const SourceFile& f = moved.project().files[i];
        EXPECT_TRUE(fs::exists(f.path)) << f.path;
        EXPECT_EQ(f.title, p.files[i].title);
        EXPECT_EQ(f.preprocess, p.files[i].preprocess);
    }
    EXPECT_EQ(moved.project().iconFile, dir.File("elsewhere/book.ico"));
}

}  // namespace
}  // namespace nbx

namespace nbx {
namespace {

// A project made at a folder rather than opened there: what lies inside the folder is written
// relative to it, the folder itself and whatever lies elsewhere as it is.
TEST(RelativePathsTest, PathsInsideTheFolderOfANewProjectAreWrittenRelative) {
    Project p;
    p.sourceFolder = "/home/ann/book/pages";
    p.files.emplace_back().path = "/home/ann/book/pages/index.html";
    p.outputExe = "/home/ann/book/out/book";
    p.rebranderExe = "/home/ann/book-other/rebrand";  // a name that only begins alike
    p.splashBitmap = "/home/ann/book";                // the folder itself
    p.iconFile = "/usr/lib/tamsel/icons/Books/idr_main.ico";
    KeepPathsRelativeBelow(p, "/home/ann/book");
    const ProjectSettings stored = WithPathsRelativeAgain(p, "/home/ann/book");
    EXPECT_EQ(stored.sourceFolder, "pages");
    EXPECT_EQ(stored.files[0].path, "pages/index.html");
    EXPECT_EQ(stored.outputExe, "out/book");
    EXPECT_EQ(stored.rebranderExe, "/home/ann/book-other/rebrand");
    EXPECT_EQ(stored.splashBitmap, "/home/ann/book");
    EXPECT_EQ(stored.iconFile, "/usr/lib/tamsel/icons/Books/idr_main.ico");
}

}  // namespace
}  // namespace nbx
