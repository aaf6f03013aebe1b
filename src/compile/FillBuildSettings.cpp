#include "compile/FillBuildSettings.h"

#include "project/ProjectSettings.h"

namespace nbx {

BuildSettings FillBuildSettings(const ProjectSettings& p, const std::string& compilerPath,
                                const std::string& stubPath, const platform::LocalTime& buildTime) {
    BuildSettings s;
    s.title = p.title;
    s.author = p.author;
    s.authorEmail = p.authorEmail;
    s.authorUrl = p.authorUrl;
    s.publisher = p.publisher;
    s.copyright = p.copyright;
    s.autoOpenLinksInNewWindow = p.autoOpenLinksInNewWindow;
    s.initialWidth = p.initialWidth;
    s.initialHeight = p.initialHeight;
    s.initialPosition = p.initialPosition;
    s.startupMessage = p.startupMessage;
    s.searchShowMatch = p.searchShowMatch;
    s.searchDescriptions = p.searchDescriptions;
    for (std::size_t i = 0; i < s.colors.size(); ++i) {
        s.colors[i] = p.colors[i];
    }
    s.contentsDescriptions = p.contentsDescriptions;
    s.windowResizable = p.windowResizable;
    s.windowResizableCopyA = p.windowResizableCopyA;
    s.windowResizableCopyB = p.windowResizableCopyB;
    s.alwaysOnTop = p.alwaysOnTop;
    s.menuShown = p.menuShown;
    s.toolbarInitially = p.toolbarInitially;
    s.toolbarToggle = p.toolbarToggle;
    s.toolbarLabels = p.toolbarLabels;
    s.contentsPopupList = p.contentsPopupList;
    s.statusBarInitially = p.statusBarInitially;
    s.statusBarToggle = p.statusBarToggle;
    for (std::size_t i = 0; i < kButtonAbout; ++i) {
        s.toolbarButtons[i] = p.toolbarButtons[i];
    }
    s.toolbarButtons[kRecordToolbarReserved] = 0;
    s.toolbarButtons[kRecordToolbarReserved + 1] = p.toolbarButtons[kButtonAbout];
    s.toolbarPosition = p.toolbarPosition;
    s.nextButton = p.nextButton;
    s.previousButton = p.previousButton;
    s.tooltipBalloon = p.tooltipBalloon;
    s.tooltipShort = p.tooltipShort;
    s.tooltipShowDestinations = p.tooltipShowDestinations;
    s.scrollbarsHidden = p.scrollbarsHidden;
    s.statusBarHideDestinations = p.statusBarHideDestinations;
    s.nextPreviousLoop = p.nextPreviousLoop;
    s.exitButton = p.exitButton;
    s.installOption = p.installOption;
    s.aboutPage = p.aboutPage;
    s.aboutFile = p.aboutFile;
    s.contentsPage = p.contentsPage;
    s.contentsFile = p.contentsFile;
    s.popupMenu = p.popupMenu;
    s.buildDay = buildTime.day;
    s.buildMonth = buildTime.month;
    s.buildYear = buildTime.year;
    s.buildHour = buildTime.hour;
    s.buildMinute = buildTime.minute;
    s.buildSecond = buildTime.second;
    s.compilerPath = compilerPath;
    s.stubPath = stubPath;
    s.affiliateNickname = p.affiliateNickname;
    s.onStart = p.onStart;
    s.onExit = p.onExit;
    std::int32_t included = 0;
    for (const auto& f : p.files) {
        included += f.excluded ? 0 : 1;
    }
    s.entryCount = included + 2;
    return s;
}

}  // namespace nbx
