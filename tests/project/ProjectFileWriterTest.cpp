#include "project/ProjectFileWriter.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "project/CTamselDoc.h"
#include "project/ProjectFileReader.h"
#include "support/RecordingPrompter.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

// A project in which every field differs from its default.
Project FilledProject() {
    Project p;
    p.title = "Title";
    p.author = "Author";
    p.authorEmail = "a@example.com";
    p.authorUrl = "http://example.com";
    p.publisher = "Publisher";
    p.copyright = "Copyright";
    p.affiliateNickname = "Nick";
    p.onStart = "##RUN('a')";
    p.onExit = "##RUN('b')";
    p.extensions = {"/EXT/ONE.SO", "/EXT/TWO.SO"};
    p.sourceFolder = "/src";
    p.files = {SourceFile{"/src/b.htm", "B", "Bd", "Bk", "", 0, 1, 1, 1},
               SourceFile{"/src/a.html", std::string(300, 't'), "", "", "", 1, 0, 0, 0},
               SourceFile{"/src/pic.gif", "", "", "", "", 0, 0, 1, 0}};
    p.SortFiles();
    p.outputExe = "/out/book";
    p.variables = {Variable{"One", "D", "<b>v</b>", "00001000", 1, 0},
                   Variable{"Two", "", "/inc/two.txt", "00001001", 0, 5}};
    p.startupMessage = "Hello";
    p.initialWidth = 640;
    p.initialHeight = 480;
    p.initialPosition = -4;
    p.splashBitmap = "/art/s.bmp";
    p.splashPercentageBar = 0;
    p.splashExtraDelay = 1500;
    for (std::int32_t* flag : {&p.autoOpenLinksInNewWindow,
                               &p.menuShown,
                               &p.nextPreviousLoop,
                               &p.popupMenu,
                               &p.scrollbarsHidden,
                               &p.statusBarHideDestinations,
                               &p.statusBarInitially,
                               &p.statusBarToggle,
                               &p.toolbarInitially,
                               &p.toolbarToggle,
                               &p.toolbarLabels,
                               &p.contentsPopupList,
                               &p.previousButton,
                               &p.nextButton,
                               &p.exitButton,
                               &p.tooltipBalloon,
                               &p.tooltipShort,
                               &p.tooltipShowDestinations,
                               &p.windowResizable,
                               &p.windowResizableCopyA,
                               &p.windowResizableCopyB,
                               &p.alwaysOnTop,
                               &p.contentsDescriptions,
                               &p.searchShowMatch,
                               &p.searchDescriptions,
                               &p.buildRebrander,
                               &p.rebranderOption}) {
        *flag = 1 - *flag;
    }
    for (auto& b : p.toolbarButtons)
        b = 1 - b;
    p.toolbarPosition = 3;
    p.language = "Deutsch";
    p.aboutPage = 2;
    p.aboutFile = "b.htm";
    p.contentsPage = 1;
    p.contentsFile = "a.html";
    p.colors = {1, 2, 3, 4, 5, 0xFFFFFFFF};
    p.installOption = -2;
    p.iconFile = "/art/i.ico";
    p.rebranderExe = "/out/rebrand";
    p.rebranderTitle = "R";
    p.rebranderStartMessage = std::string(70000, 's');
    p.rebranderEndMessage = std::string(65534, 'e');
    return p;
}

TEST(ProjectFileWriterTest, SavedProjectsLoadEqualFieldForField) {
    test::TempDir dir;
    test::RecordingPrompter prompter;
    for (const Project& saved : {Project(), FilledProject()}) {
        CTamselDoc doc;
        doc.project() = saved;
        doc.SetModifiedFlag();
        ASSERT_TRUE(doc.OnSaveDocument(dir.File("book.nxp"), prompter));
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(doc.title(), "book.nxp");

        CTamselDoc loaded;
        loaded.project().title = "something else";
        ASSERT_TRUE(loaded.OnOpenDocument(dir.File("book.nxp"), prompter));
        EXPECT_EQ(static_cast<const ProjectSettings&>(loaded.project()),
                  static_cast<const ProjectSettings&>(saved));
        EXPECT_FALSE(loaded.IsModified());
    }
    // The filled project's extensions are not installed; nothing else was said.
    EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST(ProjectFileWriterTest, FileBeginsWithVersionAndEmptyReservedString) {
    const std::string bytes = EncodeProjectFile(Project());
    ASSERT_GT(bytes.size(), 6u);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\x04"
                                              "4.20"
                                              "\x00",
                                              6));
    EXPECT_EQ(static_cast<unsigned char>(bytes[6]), Project().title.size());
}

TEST(ProjectFileWriterTest, FailedSaveKeepsThePreviousFile) {
    test::TempDir dir;
    test::RecordingPrompter prompter;
    CTamselDoc doc;
    doc.SetModifiedFlag();
    EXPECT_FALSE(doc.OnSaveDocument(dir.File("no/such/folder/book.nxp"), prompter));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.title(), "Untitled");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].rfind("Failed to save document.\n\n", 0), 0u);

    // A save over an existing file replaces it whole and leaves nothing else behind.
    const std::string path = dir.Write("book.nxp", std::string(100000, 'x'));
    ASSERT_TRUE(doc.OnSaveDocument(path, prompter));
    EXPECT_EQ(test::ReadWholeFile(path), EncodeProjectFile(doc.project()));
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
}

}  // namespace
}  // namespace nbx

namespace nbx {
namespace {

// "Include sub-folders" is one trailing word written only when on: a project without it keeps
// its bytes, and a reader that stops after the last item still opens one with it.
TEST(ProjectFileWriterTest, SubFolderOptionIsATrailingWordWrittenOnlyWhenOn) {
    // The checked-in sample was written before the option existed.
    const std::string sample =
        test::ReadWholeFile(std::string(NBX_TEST_SOURCE_DIR) + "/examples/sample/sample.nxp");
    ProjectSettings flat;
    ASSERT_EQ(DecodeProjectFile(sample, flat).status, ProjectDecodeStatus::Ok);
    EXPECT_EQ(flat.includeSubFolders, 0);
    EXPECT_EQ(EncodeProjectFile(flat), sample);

    ProjectSettings tree = flat;
    tree.includeSubFolders = 1;
    const std::string bytes = EncodeProjectFile(tree);
    EXPECT_EQ(bytes, sample + std::string("\x01\x00\x00\x00", 4));
    ProjectSettings loaded;
    ASSERT_EQ(DecodeProjectFile(bytes, loaded).status, ProjectDecodeStatus::Ok);
    EXPECT_EQ(loaded, tree);

    // Fewer than four bytes after the last item are not a word and change nothing.
    ProjectSettings shortTail;
    ASSERT_EQ(DecodeProjectFile(sample + "\x01", shortTail).status, ProjectDecodeStatus::Ok);
    EXPECT_EQ(shortTail.includeSubFolders, 0);
}

}  // namespace
}  // namespace nbx
