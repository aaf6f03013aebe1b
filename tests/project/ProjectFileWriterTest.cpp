#include "project/ProjectFileWriter.h"

#include <filesystem>
#include <iterator>
#include <string>
#include <string_view>

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
    for (bool* flag : {&p.autoOpenLinksInNewWindow,
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
                       &p.buildRebrander}) {
        *flag = !*flag;
    }
    p.rebranderOption = 1 - p.rebranderOption;
    for (auto& b : p.toolbarButtons)
        b = !b;
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

// Every on/off setting but the toolbar buttons, each stored as one 32-bit word.
constexpr bool ProjectSettings::*kSwitches[] = {
    &ProjectSettings::includeSubFolders,
    &ProjectSettings::splashPercentageBar,
    &ProjectSettings::autoOpenLinksInNewWindow,
    &ProjectSettings::menuShown,
    &ProjectSettings::nextPreviousLoop,
    &ProjectSettings::popupMenu,
    &ProjectSettings::scrollbarsHidden,
    &ProjectSettings::statusBarHideDestinations,
    &ProjectSettings::statusBarInitially,
    &ProjectSettings::statusBarToggle,
    &ProjectSettings::toolbarInitially,
    &ProjectSettings::toolbarToggle,
    &ProjectSettings::toolbarLabels,
    &ProjectSettings::contentsPopupList,
    &ProjectSettings::previousButton,
    &ProjectSettings::nextButton,
    &ProjectSettings::exitButton,
    &ProjectSettings::tooltipBalloon,
    &ProjectSettings::tooltipShort,
    &ProjectSettings::tooltipShowDestinations,
    &ProjectSettings::windowResizable,
    &ProjectSettings::windowResizableCopyA,
    &ProjectSettings::windowResizableCopyB,
    &ProjectSettings::alwaysOnTop,
    &ProjectSettings::contentsDescriptions,
    &ProjectSettings::searchShowMatch,
    &ProjectSettings::searchDescriptions,
    &ProjectSettings::buildRebrander,
};

ProjectSettings WithAllSwitches(bool on) {
    ProjectSettings p = FilledProject();
    for (const auto field : kSwitches) {
        p.*field = on;
    }
    p.toolbarButtons.fill(on);
    return p;
}

// A file with every switch at 0, and one with every switch at 1, reads back to those values
// and writes back byte for byte; the two differ only in the low byte of each switch's word.
TEST(ProjectFileWriterTest, SwitchesAllOffOrAllOnKeepTheirBytes) {
    std::string files[2];
    for (const bool on : {false, true}) {
        SCOPED_TRACE(on ? "all on" : "all off");
        const std::string bytes = EncodeProjectFile(WithAllSwitches(on));
        ProjectSettings loaded;
        ASSERT_EQ(DecodeProjectFile(bytes, loaded).status, ProjectDecodeStatus::Ok);
        for (const auto field : kSwitches) {
            EXPECT_EQ(loaded.*field, on);
        }
        for (const bool button : loaded.toolbarButtons) {
            EXPECT_EQ(button, on);
        }
        EXPECT_EQ(EncodeProjectFile(loaded), bytes);
        files[on] = bytes;
    }
    const std::string& off = files[0];
    const std::string& on = files[1];
    // includeSubFolders is the trailing word that only an "on" file has.
    ASSERT_EQ(on.size(), off.size() + 4);
    EXPECT_EQ(on.substr(off.size()), std::string("\x01\x00\x00\x00", 4));
    std::size_t changed = 0;
    for (std::size_t i = 0; i < off.size(); ++i) {
        if (off[i] != on[i]) {
            EXPECT_EQ(off[i], '\0') << "at " << i;
            EXPECT_EQ(on[i], '\x01') << "at " << i;
            ++changed;
        }
    }
    EXPECT_EQ(changed, std::size(kSwitches) - 1 + kToolbarButtonCount);
}

// A stored switch word other than 0 is on, as the build and the reader always took it; it is
// written back as 1.
TEST(ProjectFileWriterTest, SwitchWordsOtherThanZeroReadAsOn) {
    const std::string allOn = EncodeProjectFile(WithAllSwitches(true));
    // The last two words are contentsPopupList and includeSubFolders.
    for (const std::string_view word :
         {std::string_view("\x02\x00\x00\x00", 4), std::string_view("\xFF\xFF\xFF\xFF", 4),
          std::string_view("\x00\x01\x00\x00", 4)}) {
        std::string bytes = allOn.substr(0, allOn.size() - 8);
        bytes.append(word).append(word);
        ProjectSettings loaded;
        ASSERT_EQ(DecodeProjectFile(bytes, loaded).status, ProjectDecodeStatus::Ok);
        EXPECT_TRUE(loaded.contentsPopupList);
        EXPECT_TRUE(loaded.includeSubFolders);
        EXPECT_EQ(EncodeProjectFile(loaded), allOn);
    }
}

}  // namespace
}  // namespace nbx
