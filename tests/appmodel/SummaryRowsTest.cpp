// The summaries of the settings tabs, compared whole for projects whose values differ from
// the defaults, so a row in the wrong place, a missing row or a wrong label shows.

#include <gtest/gtest.h>

#include "appmodel/SummaryRows.h"
#include "extensions/ExtensionRegistry.h"
#include "project/DisplayNames.h"
#include "project/Project.h"

namespace nbx {
namespace {

Project Sample() {
    Project p;
    p.title = "Knots";
    p.publisher = "Rope Press";
    p.copyright = "(c) 2026 A. Sailor";
    p.author = "A. Sailor";
    p.authorEmail = "a@example.org";
    p.authorUrl = "http://example.org/";
    p.installOption = -2;
    p.iconFile = "/icons/Books/knot.ico";
    p.startupMessage = "Welcome aboard";
    p.initialWidth = 640;
    p.initialHeight = -1;
    p.initialPosition = -5;
    p.splashBitmap = "/splash/s.bmp";
    p.splashExtraDelay = 1500;
    p.splashPercentageBar = 0;
    p.aboutPage = kSystemPageOwn;
    p.aboutFile = "about.htm";
    p.contentsPage = kSystemPageDisabled;
    p.searchDescriptions = 0;
    p.onStart = "start()";
    p.onExit = "stop()";
    p.outputExe = "/out/knots.exe";
    p.buildRebrander = 1;
    p.rebranderExe = "/out/rb.exe";
    p.rebranderTitle = "Rebrand Knots";
    p.rebranderStartMessage = "Hello";
    p.rebranderEndMessage = "Bye";
    return p;
}

TEST(SummaryRowsTest, EBookInfoAndIcon) {
    const Project p = Sample();
    EXPECT_EQ(EBookInfoSummary(p), (SummaryRows{{"Title", "Knots"},
                                                {"Publisher", "Rope Press"},
                                                {"Copyright", "(c) 2026 A. Sailor"},
                                                {"Author", "A. Sailor"},
                                                {"Author's E-mail Address", "a@example.org"},
                                                {"Author's Web Site URL", "http://example.org/"}}));
    EXPECT_EQ(IconSummary(p), (SummaryRows{{"Installation Option", "On the Start Menu"},
                                           {"Icon Path", "/icons/Books/knot.ico"}}));
}

TEST(SummaryRowsTest, StartUpWithCustomSizeAndSplash) {
    EXPECT_EQ(StartUpSummary(Sample()), (SummaryRows{{"Start Up Message", ""},
                                                     {" Enabled", "Yes"},
                                                     {" Message Text", "Welcome aboard"},
                                                     {"", ""},
                                                     {"Initial Size/Position", ""},
                                                     {" X Size", "640"},
                                                     {" Y Size", "Maximized"},
                                                     {" Position", "Bottom Centered"},
                                                     {"", ""},
                                                     {"Splash Bitmap", ""},
                                                     {" Enabled", "Yes"},
                                                     {" Bitmap", "/splash/s.bmp"},
                                                     {" Extra Delay", "1.5 secs"},
                                                     {" Percentage Bar", "No"}}));
}

TEST(SummaryRowsTest, StartUpLeavesOutWhatIsNotSet) {
    Project p;
    p.startupMessage.clear();
    p.splashBitmap.clear();
    p.initialWidth = -3;
    p.initialHeight = -2;
    EXPECT_EQ(StartUpSummary(p), (SummaryRows{{"Start Up Message", ""},
                                              {" Enabled", "No"},
                                              {"", ""},
                                              {"Initial Size/Position", ""},
                                              {" X Size", "Default"},
                                              {" Y Size", "Minimized"},
                                              {"", ""},
                                              {"Splash Bitmap", ""},
                                              {" Enabled", "No"}}));
}

TEST(SummaryRowsTest, UserInterfaceNamesEveryButtonAndABadPosition) {
    Project p;
    p.menuShown = 0;
    p.previousButton = 0;
    p.toolbarButtons[kButtonFind] = 1;
    p.toolbarButtons[kButtonAbout] = 0;
    p.exitButton = 1;
    p.toolbarPosition = 7;
    p.alwaysOnTop = 1;
    p.language = "Deutsch";
    const SummaryRows rows = UserInterfaceSummary(p);
    const SummaryRows expected = {
        {"Auto open Internet links in new window", "Yes"},
        {"Menu", "No"},
        {"Next/Previous Loop", "No"},
        {"Pop-up Menu", "Yes"},
        {"Scrollbars hidden", "No"},
        {"Status Bar hide destinations", "No"},
        {"Status Bar Initially", "Yes"},
        {"Status Bar Toggle", "Yes"},
        {"Toolbar Initially", "Yes"},
        {"Toolbar Toggle", "Yes"},
        {"Toolbar Button Labels", "Yes"},
        {"Toolbar Contents button Pop-up List", "Yes"},
        {"Toolbar - Back button", "Yes"},
        {"Toolbar - Forward button", "Yes"},
        {"Toolbar - Previous button", "No"},
        {"Toolbar - Next button", "Yes"},
        {"Toolbar - Stop button", "Yes"},
        {"Toolbar - Refresh button", "Yes"},
        {"Toolbar - Home button", "Yes"},
        {"Toolbar - Search button", "Yes"},
        {"Toolbar - Contents button", "Yes"},
        {"Toolbar - Copy button", "Yes"},
        {"Toolbar - Find button", "Yes"},
        {"Toolbar - Size button", "No"},
        {"Toolbar - Print button", "Yes"},
        {"Toolbar - About button", "No"},
        {"Toolbar - Exit button", "Yes"},
        {"Toolbar Position", "Error"},
        {"Tool Tips - Balloon Style", "Yes"},
        {"Tool Tips - Short Messages", "No"},
        {"Tool Tips - Show Destinations for Next/Previous", "Yes"},
        {"Window can be resized", "Yes"},
        {"Window always on top", "Yes"},
        {"Language", "Deutsch"},
    };
    EXPECT_EQ(rows, expected);
}

TEST(SummaryRowsTest, SystemPagesRowsCarryTheirSection) {
    Project p = Sample();
    EXPECT_EQ(SystemPagesSummary(p), (SummaryRows{{"About", "", 1},
                                                  {" About Page", "My Own Page", 1},
                                                  {" About File", "about.htm", 1},
                                                  {"", "", 1},
                                                  {"Search Results", "", 3},
                                                  {" Descriptions in Search Results", "No", 3},
                                                  {" % Match in Search Results", "Yes", 3},
                                                  {"", "", 3},
                                                  {"Table Of Contents", "", 4},
                                                  {" Table Of Contents Page", "Disabled", 4}}));
    p.aboutPage = kSystemGeneratedPage;
    p.affiliateNickname = "nick";
    p.contentsPage = kSystemPageOwn;
    p.contentsFile = "toc.htm";
    const SummaryRows rows = SystemPagesSummary(p);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[2], (SummaryRow{" Clickbank Affiliate NickName", "nick", 1}));
    EXPECT_EQ(rows[10], (SummaryRow{" Table Of Contents File", "toc.htm", 4}));
}

TEST(SummaryRowsTest, AddInsTellsLoadedFromMissing) {
    Project p = Sample();
    ExtensionRegistry registry;
    ExtensionInfo info;
    info.name = "Locker";
    info.version = "1.0";
    info.path = "/ext/liblocker.so";
    registry.Store(std::move(info));
    ExtensionInfo unused;
    unused.name = "Other";
    unused.version = "2.0";
    unused.path = "/ext/libother.so";
    registry.Store(std::move(unused));
    p.extensions = {"/gone/libgone.so", "/ext/liblocker.so"};
    EXPECT_EQ(AddInsSummary(p, &registry),
              (SummaryRows{{"Event Handlers", ""},
                           {" On Start", "start()"},
                           {" On Exit", "stop()"},
                           {"", ""},
                           {"Extensions", ""},
                           {" Load", "Locker 1.0 [liblocker.so]"},
                           {" Error", "libgone.so could not be found"}}));
    p.extensions.clear();
    const SummaryRows none = AddInsSummary(p, nullptr);
    EXPECT_EQ(none.back(), (SummaryRow{" None", ""}));
}

TEST(SummaryRowsTest, OutputShowsTheRebranderOnlyWhenBuilt) {
    Project p = Sample();
    EXPECT_EQ(OutputSummary(p), (SummaryRows{{"E-Book", ""},
                                             {" Output E-Book EXE", "/out/knots.exe"},
                                             {"", ""},
                                             {"Rebrander", ""},
                                             {" Output Rebrander EXE", "/out/rb.exe"},
                                             {" Rebrander Title", "Rebrand Knots"},
                                             {" Rebrander Start Message", "Hello"},
                                             {" Rebrander End Message", "Bye"}}));
    p.buildRebrander = 0;
    EXPECT_EQ(OutputSummary(p),
              (SummaryRows{{"E-Book", ""}, {" Output E-Book EXE", "/out/knots.exe"}}));
}

// Headings are the rows with indented rows under them; a setting whose value is empty is no
// heading, nor is the last row.
TEST(SummaryRowsTest, HeadingsAreTheRowsOverIndentedRows) {
    Project p = Sample();
    p.publisher.clear();
    const auto headings = [](const SummaryRows& rows) {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (IsSummaryHeading(rows, i)) {
                out.push_back(rows[i].label);
            }
        }
        return out;
    };
    using Names = std::vector<std::string>;
    EXPECT_EQ(headings(EBookInfoSummary(p)), Names{});
    EXPECT_EQ(headings(StartUpSummary(p)),
              (Names{"Start Up Message", "Initial Size/Position", "Splash Bitmap"}));
    EXPECT_EQ(headings(SystemPagesSummary(p)),
              (Names{"About", "Search Results", "Table Of Contents"}));
    EXPECT_EQ(headings(OutputSummary(p)), (Names{"E-Book", "Rebrander"}));
    EXPECT_EQ(headings(UserInterfaceSummary(p)), Names{});
    EXPECT_FALSE(IsSummaryHeading({{"Title", ""}}, 0));
}

}  // namespace
}  // namespace nbx
