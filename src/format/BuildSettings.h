#pragma once
// The settings record of an e-book: what the reader needs of the project, plus the build's
// date and time and the entry count. One field per row of the record; reserved rows are kept
// too, so that a record read back and written again is the same bytes.
//
// VisitSettingsRecord walks the rows in stream order; the writer, the reader and
// `tamselc inspect` all go through it, so the order is written down once.

#include <array>
#include <cstdint>
#include <string>

#include "format/RecordFormat.h"
#include "platform/Clock.h"

namespace nbx {

// The toolbar button words of the record: the project's buttons in their order, with a
// reserved word between Print and About.
inline constexpr std::size_t kRecordToolbarWords = 13;
inline constexpr std::size_t kRecordToolbarReserved = 11;

struct BuildSettings {
    std::string formatVersion = record::kFormatVersionText;
    std::array<std::int32_t, 22> reserved3to24{};
    std::string reserved25;
    std::string title;
    std::string author;
    std::string authorEmail;
    std::string authorUrl;
    std::string publisher;
    std::string copyright;
    std::array<std::int32_t, 16> reserved32to47{};
    std::array<std::int32_t, 3> reserved48to50{};
    std::array<std::string, 2> reserved51to52{};
    std::int32_t autoOpenLinksInNewWindow = 0;
    std::int32_t initialWidth = 0;
    std::int32_t initialHeight = 0;
    std::int32_t initialPosition = 0;
    std::string startupMessage;
    std::int32_t searchShowMatch = 0;
    std::int32_t searchDescriptions = 0;
    std::array<std::uint32_t, 6> colors{};
    std::int32_t contentsDescriptions = 0;
    std::int32_t windowResizable = 0;
    std::int32_t windowResizableCopyA = 0;
    std::int32_t windowResizableCopyB = 0;
    std::int32_t alwaysOnTop = 0;
    std::int32_t menuShown = 0;
    std::int32_t toolbarInitially = 0;
    std::int32_t toolbarToggle = 0;
    std::int32_t toolbarLabels = 0;
    std::int32_t contentsPopupList = 0;
    std::int32_t statusBarInitially = 0;
    std::int32_t statusBarToggle = 0;
    // Back, Forward, Stop, Refresh, Home, Search, Contents, Copy, Find, Size, Print,
    // (reserved), About.
    std::array<std::int32_t, kRecordToolbarWords> toolbarButtons{};
    std::int32_t toolbarPosition = 0;
    std::int32_t nextButton = 0;
    std::int32_t previousButton = 0;
    std::int32_t tooltipBalloon = 0;
    std::int32_t tooltipShort = 0;
    std::int32_t tooltipShowDestinations = 0;
    std::int32_t scrollbarsHidden = 0;
    std::int32_t statusBarHideDestinations = 0;
    std::int32_t nextPreviousLoop = 0;
    std::int32_t exitButton = 0;
    std::int32_t installOption = 0;
    std::int32_t aboutPage = 0;
    std::string aboutFile;
    std::int32_t contentsPage = 0;
    std::string contentsFile;
    std::int32_t reserved106 = 0;
    std::string reserved107;
    std::int32_t popupMenu = 0;
    std::array<std::int32_t, 3> reserved109to111{};
    std::string reserved112;
    std::int32_t buildDay = 0;
    std::int32_t buildMonth = 0;
    std::int32_t buildYear = 0;
    std::int32_t buildHour = 0;
    std::int32_t buildMinute = 0;
    std::int32_t buildSecond = 0;
    std::array<std::string, 2> reserved119to120{};
    std::string compilerPath;
    std::string stubPath;
    std::string affiliateNickname;
    std::string onStart;
    std::array<std::string, 2> reserved125to126{};
    std::string onExit;
    std::int32_t entryCount = 0;
    std::array<std::int32_t, 6> reserved129to134{};
    std::array<std::int32_t, 8> reserved135to142{};

    bool operator==(const BuildSettings&) const = default;
};

// Calls, in stream order: v.Magic(value) for the two marks, and v.Item(name, field) for every
// row or run of rows (field is an int32, uint32, string, or a std::array of those).
template <class Settings, class Visitor>
void VisitSettingsRecord(Settings& s, Visitor& v) {
    v.Magic(record::kSettingsBegin);
    v.Item("formatVersion", s.formatVersion);
    v.Item("reserved3to24", s.reserved3to24);
    v.Item("reserved25", s.reserved25);
    v.Item("title", s.title);
    v.Item("author", s.author);
    v.Item("authorEmail", s.authorEmail);
    v.Item("authorUrl", s.authorUrl);
    v.Item("publisher", s.publisher);
    v.Item("copyright", s.copyright);
    v.Item("reserved32to47", s.reserved32to47);
    v.Item("reserved48to50", s.reserved48to50);
    v.Item("reserved51to52", s.reserved51to52);
    v.Item("autoOpenLinksInNewWindow", s.autoOpenLinksInNewWindow);
    v.Item("initialWidth", s.initialWidth);
    v.Item("initialHeight", s.initialHeight);
    v.Item("initialPosition", s.initialPosition);
    v.Item("startupMessage", s.startupMessage);
    v.Item("searchShowMatch", s.searchShowMatch);
    v.Item("searchDescriptions", s.searchDescriptions);
    v.Item("colors", s.colors);
    v.Item("contentsDescriptions", s.contentsDescriptions);
    v.Item("windowResizable", s.windowResizable);
    v.Item("windowResizableCopyA", s.windowResizableCopyA);
    v.Item("windowResizableCopyB", s.windowResizableCopyB);
    v.Item("alwaysOnTop", s.alwaysOnTop);
    v.Item("menuShown", s.menuShown);
    v.Item("toolbarInitially", s.toolbarInitially);
    v.Item("toolbarToggle", s.toolbarToggle);
    v.Item("toolbarLabels", s.toolbarLabels);
    v.Item("contentsPopupList", s.contentsPopupList);
    v.Item("statusBarInitially", s.statusBarInitially);
    v.Item("statusBarToggle", s.statusBarToggle);
    v.Item("toolbarButtons", s.toolbarButtons);
    v.Item("toolbarPosition", s.toolbarPosition);
    v.Item("nextButton", s.nextButton);
    v.Item("previousButton", s.previousButton);
    v.Item("tooltipBalloon", s.tooltipBalloon);
    v.Item("tooltipShort", s.tooltipShort);
    v.Item("tooltipShowDestinations", s.tooltipShowDestinations);
    v.Item("scrollbarsHidden", s.scrollbarsHidden);
    v.Item("statusBarHideDestinations", s.statusBarHideDestinations);
    v.Item("nextPreviousLoop", s.nextPreviousLoop);
    v.Item("exitButton", s.exitButton);
    v.Item("installOption", s.installOption);
    v.Item("aboutPage", s.aboutPage);
    v.Item("aboutFile", s.aboutFile);
    v.Item("contentsPage", s.contentsPage);
    v.Item("contentsFile", s.contentsFile);
    v.Item("reserved106", s.reserved106);
    v.Item("reserved107", s.reserved107);
    v.Item("popupMenu", s.popupMenu);
    v.Item("reserved109to111", s.reserved109to111);
    v.Item("reserved112", s.reserved112);
    v.Item("buildDay", s.buildDay);
    v.Item("buildMonth", s.buildMonth);
    v.Item("buildYear", s.buildYear);
    v.Item("buildHour", s.buildHour);
    v.Item("buildMinute", s.buildMinute);
    v.Item("buildSecond", s.buildSecond);
    v.Item("reserved119to120", s.reserved119to120);
    v.Item("compilerPath", s.compilerPath);
    v.Item("stubPath", s.stubPath);
    v.Item("affiliateNickname", s.affiliateNickname);
    v.Item("onStart", s.onStart);
    v.Item("reserved125to126", s.reserved125to126);
    v.Item("onExit", s.onExit);
    v.Item("entryCount", s.entryCount);
    v.Item("reserved129to134", s.reserved129to134);
    v.Item("reserved135to142", s.reserved135to142);
    v.Magic(record::kSettingsEnd);
}

}  // namespace nbx
