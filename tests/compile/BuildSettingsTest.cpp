#include <gtest/gtest.h>

#include <string>

#include "compile/FillBuildSettings.h"
#include "format/ArchiveRecordReader.h"
#include "format/ArchiveRecordWriter.h"
#include "format/BuildSettings.h"
#include "project/ProjectSettings.h"

namespace nbx {
namespace {

// Counts the stream items a record is made of.
struct ItemCounter {
    int words = 0;
    int strings = 0;
    void Magic(std::uint32_t) { ++words; }
    void Item(const char*, const std::int32_t&) { ++words; }
    void Item(const char*, const std::uint32_t&) { ++words; }
    void Item(const char*, const std::string&) { ++strings; }
    template <class T, std::size_t N>
    void Item(const char* name, const std::array<T, N>& a) {
        for (const T& v : a) {
            Item(name, v);
        }
    }
};

TEST(BuildSettingsTest, RecordHasEveryRow) {
    const BuildSettings s;
    ItemCounter c;
    VisitSettingsRecord(s, c);
    EXPECT_EQ(c.words, 119);
    EXPECT_EQ(c.strings, 24);
    EXPECT_EQ(c.words + c.strings, 143);
}

ProjectSettings UnusualProject() {
    ProjectSettings p;
    p.title = "T";
    p.author = "A";
    p.authorEmail = "a@example.org";
    p.authorUrl = "http://example.org";
    p.publisher = "P";
    p.copyright = "C";
    p.affiliateNickname = "nick";
    p.onStart = "##RUN('x')";
    p.onExit = "bye";
    p.startupMessage = "hello";
    p.initialWidth = 640;
    p.initialHeight = 480;
    p.initialPosition = -8;
    p.autoOpenLinksInNewWindow = 0;
    p.menuShown = 0;
    p.nextPreviousLoop = 1;
    p.popupMenu = 0;
    p.scrollbarsHidden = 1;
    p.statusBarHideDestinations = 1;
    p.statusBarInitially = 0;
    p.statusBarToggle = 0;
    p.toolbarInitially = 0;
    p.toolbarToggle = 0;
    p.toolbarLabels = 0;
    p.contentsPopupList = 0;
    p.previousButton = 0;
    p.nextButton = 0;
    p.exitButton = 1;
    p.tooltipBalloon = 0;
    p.tooltipShort = 1;
    p.tooltipShowDestinations = 0;
    p.windowResizable = p.windowResizableCopyA = p.windowResizableCopyB = 0;
    p.alwaysOnTop = 1;
    p.toolbarButtons = {0, 1, 0, 1, 0, 1, 0, 1, 1, 1, 0, 0};
    p.toolbarPosition = 3;
    p.aboutPage = 2;
    p.aboutFile = "about.html";
    p.contentsPage = 1;
    p.contentsFile = "toc.html";
    p.contentsDescriptions = 0;
    p.searchShowMatch = 0;
    p.searchDescriptions = 0;
    p.colors = {1, 2, 3, 4, 5, 6};
    p.installOption = -2;
    p.files.resize(5);
    p.files[1].excluded = 1;
    return p;
}

TEST(BuildSettingsTest, FillCopiesTheProject) {
    const ProjectSettings p = UnusualProject();
    platform::LocalTime when;
    when.year = 2002;
    when.month = 7;
    when.day = 31;
    when.hour = 23;
    when.minute = 5;
    when.second = 59;
    const BuildSettings s = FillBuildSettings(p, "/opt/nbx/tamsel", "/opt/nbx/eview.dat", when);

    BuildSettings expected;
    expected.title = "T";
    expected.author = "A";
    expected.authorEmail = "a@example.org";
    expected.authorUrl = "http://example.org";
    expected.publisher = "P";
    expected.copyright = "C";
    expected.autoOpenLinksInNewWindow = 0;
    expected.initialWidth = 640;
    expected.initialHeight = 480;
    expected.initialPosition = -8;
    expected.startupMessage = "hello";
    expected.searchShowMatch = 0;
    expected.searchDescriptions = 0;
    expected.colors = {1, 2, 3, 4, 5, 6};
    expected.contentsDescriptions = 0;
    expected.windowResizable = expected.windowResizableCopyA = expected.windowResizableCopyB = 0;
    expected.alwaysOnTop = 1;
    expected.menuShown = 0;
    expected.toolbarInitially = 0;
    expected.toolbarToggle = 0;
    expected.toolbarLabels = 0;
    expected.contentsPopupList = 0;
    expected.statusBarInitially = 0;
    expected.statusBarToggle = 0;
    // Print is followed by the reserved word, then About.
    expected.toolbarButtons = {0, 1, 0, 1, 0, 1, 0, 1, 1, 1, 0, 0, 0};
    expected.toolbarPosition = 3;
    expected.nextButton = 0;
    expected.previousButton = 0;
    expected.tooltipBalloon = 0;
    expected.tooltipShort = 1;
    expected.tooltipShowDestinations = 0;
    expected.scrollbarsHidden = 1;
    expected.statusBarHideDestinations = 1;
    expected.nextPreviousLoop = 1;
    expected.exitButton = 1;
    expected.installOption = -2;
    expected.aboutPage = 2;
    expected.aboutFile = "about.html";
    expected.contentsPage = 1;
    expected.contentsFile = "toc.html";
    expected.popupMenu = 0;
    expected.buildDay = 31;
    expected.buildMonth = 7;
    expected.buildYear = 2002;
    expected.buildHour = 23;
    expected.buildMinute = 5;
    expected.buildSecond = 59;
    expected.compilerPath = "/opt/nbx/tamsel";
    expected.stubPath = "/opt/nbx/eview.dat";
    expected.affiliateNickname = "nick";
    expected.onStart = "##RUN('x')";
    expected.onExit = "bye";
    expected.entryCount = 4 + 2;  // included files plus language and toolbar
    EXPECT_EQ(s, expected);

    ProjectSettings aboutOnly;
    aboutOnly.toolbarButtons.fill(0);
    aboutOnly.toolbarButtons[kButtonAbout] = 1;
    const BuildSettings b = FillBuildSettings(aboutOnly, "", "", when);
    EXPECT_EQ(b.toolbarButtons,
              (std::array<std::int32_t, 13>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
}

TEST(BuildSettingsTest, RecordReadsBackAsWritten) {
    BuildSettings s = FillBuildSettings(UnusualProject(), "c", "s", platform::LocalTime{});
    s.reserved3to24[21] = 7;  // reserved rows survive too
    s.reserved125to126[1] = "kept";
    std::string bytes;
    {
        StringSink sink(bytes);
        RecordStreamWriter w(sink);
        ASSERT_TRUE(WriteSettingsRecord(w, s));
        ASSERT_TRUE(w.Flush());
    }
    MemoryInput input(bytes);
    RecordStreamReader r(input);
    BuildSettings back;
    ASSERT_TRUE(ReadSettingsRecord(r, back)) << r.error();
    EXPECT_EQ(back, s);
    EXPECT_EQ(r.remaining(), 0u);
}

}  // namespace
}  // namespace nbx
