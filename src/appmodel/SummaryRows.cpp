#include "appmodel/SummaryRows.h"

#include "appmodel/StartUpRules.h"
#include "extensions/ExtensionRegistry.h"
#include "platform/Paths.h"
#include "project/DisplayNames.h"
#include "project/Project.h"

namespace nbx {

namespace {

constexpr int kAboutSection = 1;
constexpr int kSearchSection = 3;
constexpr int kContentsSection = 4;

// Rows added in one section; heading rows and their indented rows share the section number.
class RowWriter {
public:
    explicit RowWriter(SummaryRows& rows) : rows_(rows) {}
    void Section(int section) { section_ = section; }
    void Heading(std::string label) { rows_.push_back({std::move(label), "", section_}); }
    void Row(std::string label, std::string value) {
        rows_.push_back({std::move(label), std::move(value), section_});
    }
    void Indented(const std::string& label, std::string value) {
        Row(" " + label, std::move(value));
    }
    void Separator() { rows_.push_back({"", "", section_}); }

private:
    SummaryRows& rows_;
    int section_ = 0;
};

}  // namespace

std::string YesNo(bool value) {
    return value ? "Yes" : "No";
}

SummaryRows EBookInfoSummary(const Project& p) {
    return {{"Title", p.title},
            {"Publisher", p.publisher},
            {"Copyright", p.copyright},
            {"Author", p.author},
            {"Author's E-mail Address", p.authorEmail},
            {"Author's Web Site URL", p.authorUrl}};
}

SummaryRows IconSummary(const Project& p) {
    return {{"Installation Option", InstallOptionDisplayName(p.installOption)},
            {"Icon Path", p.iconFile}};
}

SummaryRows StartUpSummary(const Project& p) {
    SummaryRows rows;
    RowWriter w(rows);
    w.Heading("Start Up Message");
    w.Indented("Enabled", YesNo(!p.startupMessage.empty()));
    if (!p.startupMessage.empty()) {
        w.Indented("Message Text", p.startupMessage);
    }
    w.Separator();
    w.Heading("Initial Size/Position");
    w.Indented("X Size", SizeDisplayName(p.initialWidth));
    w.Indented("Y Size", SizeDisplayName(p.initialHeight));
    if (p.initialWidth >= 0) {
        w.Indented("Position", PositionDisplayName(p.initialPosition));
    }
    w.Separator();
    w.Heading("Splash Bitmap");
    w.Indented("Enabled", YesNo(!p.splashBitmap.empty()));
    if (!p.splashBitmap.empty()) {
        w.Indented("Bitmap", p.splashBitmap);
        w.Indented("Extra Delay", SplashDelayName(p.splashExtraDelay));
        w.Indented("Percentage Bar", YesNo(p.splashPercentageBar));
    }
    return rows;
}

SummaryRows UserInterfaceSummary(const Project& p) {
    const auto& b = p.toolbarButtons;
    return {
        {"Auto open Internet links in new window", YesNo(p.autoOpenLinksInNewWindow)},
        {"Menu", YesNo(p.menuShown)},
        {"Next/Previous Loop", YesNo(p.nextPreviousLoop)},
        {"Pop-up Menu", YesNo(p.popupMenu)},
        {"Scrollbars hidden", YesNo(p.scrollbarsHidden)},
        {"Status Bar hide destinations", YesNo(p.statusBarHideDestinations)},
        {"Status Bar Initially", YesNo(p.statusBarInitially)},
        {"Status Bar Toggle", YesNo(p.statusBarToggle)},
        {"Toolbar Initially", YesNo(p.toolbarInitially)},
        {"Toolbar Toggle", YesNo(p.toolbarToggle)},
        {"Toolbar Button Labels", YesNo(p.toolbarLabels)},
        {"Toolbar Contents button Pop-up List", YesNo(p.contentsPopupList)},
        {"Toolbar - Back button", YesNo(b[kButtonBack])},
        {"Toolbar - Forward button", YesNo(b[kButtonForward])},
        {"Toolbar - Previous button", YesNo(p.previousButton)},
        {"Toolbar - Next button", YesNo(p.nextButton)},
        {"Toolbar - Stop button", YesNo(b[kButtonStop])},
        {"Toolbar - Refresh button", YesNo(b[kButtonRefresh])},
        {"Toolbar - Home button", YesNo(b[kButtonHome])},
        {"Toolbar - Search button", YesNo(b[kButtonSearch])},
        {"Toolbar - Contents button", YesNo(b[kButtonContents])},
        {"Toolbar - Copy button", YesNo(b[kButtonCopy])},
        {"Toolbar - Find button", YesNo(b[kButtonFind])},
        {"Toolbar - Size button", YesNo(b[kButtonSize])},
        {"Toolbar - Print button", YesNo(b[kButtonPrint])},
        {"Toolbar - About button", YesNo(b[kButtonAbout])},
        {"Toolbar - Exit button", YesNo(p.exitButton)},
        {"Toolbar Position", ToolbarPositionDisplayName(p.toolbarPosition)},
        {"Tool Tips - Balloon Style", YesNo(p.tooltipBalloon)},
        {"Tool Tips - Short Messages", YesNo(p.tooltipShort)},
        {"Tool Tips - Show Destinations for Next/Previous", YesNo(p.tooltipShowDestinations)},
        {"Window can be resized", YesNo(p.windowResizable)},
        {"Window always on top", YesNo(p.alwaysOnTop)},
        {"Language", p.language},
    };
}

SummaryRows SystemPagesSummary(const Project& p) {
    SummaryRows rows;
    RowWriter w(rows);
    w.Section(kAboutSection);
    w.Heading("About");
    w.Indented("About Page", SystemPageKindDisplayName(p.aboutPage));
    if (p.aboutPage == kSystemGeneratedPage) {
        w.Indented("Clickbank Affiliate NickName", p.affiliateNickname);
    } else if (p.aboutPage == kSystemPageOwn) {
        w.Indented("About File", p.aboutFile);
    }
    w.Separator();
    w.Section(kSearchSection);
    w.Heading("Search Results");
    w.Indented("Descriptions in Search Results", YesNo(p.searchDescriptions));
    w.Indented("% Match in Search Results", YesNo(p.searchShowMatch));
    w.Separator();
    w.Section(kContentsSection);
    w.Heading("Table Of Contents");
    w.Indented("Table Of Contents Page", SystemPageKindDisplayName(p.contentsPage));
    if (p.contentsPage == kSystemGeneratedPage) {
        w.Indented("Descriptions in Table Of Contents", YesNo(p.contentsDescriptions));
    } else if (p.contentsPage == kSystemPageOwn) {
        w.Indented("Table Of Contents File", p.contentsFile);
    }
    return rows;
}

SummaryRows AddInsSummary(const Project& p, const ExtensionRegistry* registry) {
    SummaryRows rows;
    RowWriter w(rows);
    w.Heading("Event Handlers");
    w.Indented("On Start", p.onStart);
    w.Indented("On Exit", p.onExit);
    w.Separator();
    w.Heading("Extensions");
    const std::size_t before = rows.size();
    if (registry) {
        for (const auto& [path, info] : registry->records()) {
            if (p.FindExtension(path) >= 0) {
                w.Indented("Load", ExtensionDisplayName(info));
            }
        }
    }
    for (const auto& path : p.extensions) {
        if (!registry || !registry->Contains(path)) {
            w.Indented("Error", platform::FileNameOfPath(path) + " could not be found");
        }
    }
    if (rows.size() == before) {
        w.Indented("None", "");
    }
    return rows;
}

SummaryRows OutputSummary(const Project& p) {
    SummaryRows rows;
    RowWriter w(rows);
    w.Heading("E-Book");
    w.Indented("Output E-Book EXE", p.outputExe);
    if (p.buildRebrander) {
        w.Separator();
        w.Heading("Rebrander");
        w.Indented("Output Rebrander EXE", p.rebranderExe);
        w.Indented("Rebrander Title", p.rebranderTitle);
        w.Indented("Rebrander Start Message", p.rebranderStartMessage);
        w.Indented("Rebrander End Message", p.rebranderEndMessage);
    }
    return rows;
}

bool IsSummaryHeading(const SummaryRows& rows, std::size_t i) {
    if (i + 1 >= rows.size()) {
        return false;
    }
    const SummaryRow& row = rows[i];
    const std::string& next = rows[i + 1].label;
    return !row.label.empty() && row.label[0] != ' ' && row.value.empty() && !next.empty() &&
           next[0] == ' ';
}

}  // namespace nbx
