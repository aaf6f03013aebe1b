// examples/sample/sample.nxp is the writer's output for the sample book, with paths relative
// to the project file. Run with NBX_WRITE_SAMPLE=1 to write it again after a change to the
// book or to the layout.

#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/Paths.h"
#include "project/InstalledExtensions.h"
#include "project/ProjectFileReader.h"
#include "project/ProjectFileWriter.h"
#include "project/SourceFolderScan.h"
#include "support/RecordingPrompter.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

const std::string kSampleFolder = std::string(NBX_TEST_SOURCE_DIR) + "/examples/sample";

Variable SampleVariable(std::string name, std::string value, std::int32_t kind,
                        std::int32_t canRebrand, std::string description = "") {
    Variable v;
    v.name = std::move(name);
    v.description = std::move(description);
    v.value = std::move(value);
    v.canRebrand = canRebrand;
    v.kind = kind;
    return v;
}

// The sample book as the compiler sees it after a Scan Folder, with its paths relative.
Project SampleProject() {
    test::RecordingPrompter prompter;
    Project p;
    p.title = "A Small Garden";
    p.author = "Mara Linden";
    p.publisher = "Nimbrel Sample Books";
    p.copyright = "Copyright (C) 2024, Nimbrel Sample Books";
    p.affiliateNickname.clear();
    p.splashBitmap.clear();
    p.iconFile.clear();
    p.startupMessage = "Welcome to the sample book.";
    ScanChosenFolder(p, kSampleFolder + "/source", prompter);
    p.SortFiles();
    const std::string prefix = kSampleFolder + "/";
    for (SourceFile& f : p.files) {
        f.path = f.path.substr(prefix.size());
        // The pages show the variables' values, so the reader must replace their markers.
        const bool page = f.path.ends_with(".htm") || f.path.ends_with(".html");
        f.preprocess = page ? 1 : 0;
    }
    p.sourceFolder = "source";
    p.outputExe = "output/garden";
    p.variables = {SampleVariable("GardenName", "Rosemary Lane", 1, 1, "The name of your garden"),
                   SampleVariable("Footer", "include/footer.htm", 4, 0)};
    p.SetModified(false);
    return p;
}

TEST(SampleProjectTest, FileIsTheWritersOutputForTheSampleBook) {
    const std::string path = kSampleFolder + "/sample.nxp";
    const std::string expected = EncodeProjectFile(SampleProject());
    if (std::getenv("NBX_WRITE_SAMPLE")) {
        int error = 0;
        ASSERT_TRUE(SaveProjectFile(path, SampleProject(), error)) << error;
    }
    EXPECT_EQ(test::ReadWholeFile(path), expected);
}

TEST(SampleProjectTest, LoadsWithPathsInsideTheSampleFolder) {
    test::RecordingPrompter prompter;
    Project p;
    ASSERT_EQ(
        LoadProjectFile(kSampleFolder + "/sample.nxp", p, prompter, NothingInstalled()).status,
        ProjectLoadStatus::Loaded);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(p.sourceFolder, kSampleFolder + "/source");
    EXPECT_EQ(p.outputExe, kSampleFolder + "/output/garden");
    EXPECT_EQ(p.variables[1].value, kSampleFolder + "/include/footer.htm");
    ASSERT_EQ(p.files.size(), 5u);
    EXPECT_EQ(p.files[0].title, "A Small Garden");
    EXPECT_EQ(p.files[3].title, "");  // the page without a title
    for (const SourceFile& f : p.files) {
        EXPECT_TRUE(platform::FileExists(f.path)) << f.path;
    }
    EXPECT_TRUE(platform::FileExists(p.variables[1].value));
    EXPECT_NE(test::ReadWholeFile(p.files[0].path).find("[={GardenName}]"), std::string::npos);
    for (const SourceFile& f : p.files) {
        EXPECT_EQ(f.preprocess, f.path.ends_with(".gif") ? 0 : 1) << f.path;
    }

    // The list is what a rescan of the folder finds.
    const std::vector<SourceFile> stored = p.files;
    RescanSourceFolder(p, true, prompter);
    p.SortFiles();
    EXPECT_EQ(p.files, stored);
}

}  // namespace
}  // namespace nbx
