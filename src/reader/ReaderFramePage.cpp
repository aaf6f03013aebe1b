#include "reader/ReaderFramePage.h"

#include <algorithm>
#include <filesystem>

#include "common/JsonWriter.h"
#include "common/TextToHtml.h"
#include "project/DisplayNames.h"
#include "reader/BookLinks.h"
#include "reader/ReaderAssets.h"
#include "reader/SystemPages.h"

namespace nbx::reader {

namespace {

using toolbar::ToolbarButton;

// A menu text without its '&' mnemonic ("&&" is a literal '&'), escaped for HTML.
std::string MenuLabel(std::string_view text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
        }
        plain += text[i];
    }
    return EscapeHtml(plain);
}

struct Command {
    std::string_view name;  // data-cmd of the frame's script
    ToolbarButton picture;
    LanguageKey menu;
    bool onToolbar;
};

class FrameWriter {
public:
    FrameWriter(const ReaderBook& book, const FrameParts& parts) : book_(book), parts_(parts) {}

    std::string Page();

private:
    std::string MenuItem(std::string_view cmd, LanguageKey key) const;
    std::string Menus() const;
    std::string Toolbar() const;
    std::string ContentsList() const;
    bool Flag(ToolbarButton b) const {
        return book_.settings().toolbarButtons[static_cast<std::size_t>(b)] != 0;
    }

    const ReaderBook& book_;
    const FrameParts& parts_;
};

// The menus and their items, as the book's settings show them; an item without a command is
// a separator.
struct MenuItemEntry {
    std::string_view cmd;
    LanguageKey key;
};
struct MenuEntry {
    LanguageKey title;
    std::vector<MenuItemEntry> items;
};

std::vector<MenuEntry> MenuModel(const BuildSettings& s) {
    constexpr MenuItemEntry kSeparator{{}, LanguageKey::MenuFile};
    std::vector<MenuEntry> menus;
    menus.push_back(
        {LanguageKey::MenuFile,
         {{"print", LanguageKey::MenuFilePrint}, kSeparator, {"exit", LanguageKey::MenuFileExit}}});
    menus.push_back({LanguageKey::MenuEdit,
                     {{"copy", LanguageKey::MenuEditCopy},
                      {"selectall", LanguageKey::MenuEditSelectAll},
                      kSeparator,
                      {"find", LanguageKey::MenuEditFind},
                      {"findnext", LanguageKey::MenuEditFindNext}}});
    MenuEntry view{LanguageKey::MenuView, {}};
    if (s.toolbarToggle != 0) {
        view.items.push_back({"toolbar", LanguageKey::MenuViewToolbar});
    }
    if (s.statusBarToggle != 0) {
        view.items.push_back({"statusbar", LanguageKey::MenuViewStatusBar});
    }
    view.items.insert(view.items.end(), {{"size0", LanguageKey::MenuViewSizeLargest},
                                         {"size1", LanguageKey::MenuViewSizeLarger},
                                         {"size2", LanguageKey::MenuViewSizeMedium},
                                         {"size3", LanguageKey::MenuViewSizeSmaller},
                                         {"size4", LanguageKey::MenuViewSizeSmallest}});
    menus.push_back(std::move(view));
    MenuEntry go{LanguageKey::MenuGo,
                 {{"back", LanguageKey::MenuGoBack},
                  {"forward", LanguageKey::MenuGoForward},
                  {"stop", LanguageKey::MenuGoStop},
                  {"refresh", LanguageKey::MenuGoRefresh},
                  kSeparator,
                  {"home", LanguageKey::MenuGoHome},
                  {"previous", LanguageKey::MenuGoPrevious},
                  {"next", LanguageKey::MenuGoNext},
                  kSeparator}};
    if (s.contentsPage != kSystemPageDisabled) {
        go.items.push_back({"contents", LanguageKey::MenuGoContents});
    }
    go.items.push_back({"search", LanguageKey::MenuGoSearch});
    menus.push_back(std::move(go));
    if (s.aboutPage != kSystemPageDisabled) {
        menus.push_back({LanguageKey::MenuHelp, {{"about", LanguageKey::MenuHelpAbout}}});
    }
    return menus;
}

std::string FrameWriter::MenuItem(std::string_view cmd, LanguageKey key) const {
    const MenuText text = book_.texts().Menu(key);
    std::string item = "<button type=\"button\" data-cmd=\"" + std::string(cmd) + "\"";
    const std::string keyName = PortableAccelerator(text.accelerator);
    if (!keyName.empty()) {
        item += " data-key=\"" + EscapeHtml(keyName) + "\"";
    }
    item += ">" + MenuLabel(text.text);
    if (!text.accelerator.empty()) {
        item += "<span class=\"accel\">" + EscapeHtml(text.accelerator) + "</span>";
    }
    return item + "</button>";
}

std::string FrameWriter::Menus() const {
    const BuildSettings& s = book_.settings();
    std::string out = "<nav id=\"menubar\"" + std::string(s.menuShown != 0 ? "" : " hidden") + ">";
    for (const MenuEntry& menu : MenuModel(s)) {
        std::string items;
        for (const MenuItemEntry& item : menu.items) {
            items += item.cmd.empty() ? "<hr>" : MenuItem(item.cmd, item.key);
        }
        out += "<details class=\"menu\"><summary>" +
               MenuLabel(book_.texts().Menu(menu.title).text) + "</summary><div class=\"items\">" +
               items + "</div></details>";
    }
    return out + "</nav>";
}

std::string FrameWriter::Toolbar() const {
    const BuildSettings& s = book_.settings();
    const ToolbarFile* file = book_.toolbar();
    // The order of the buttons in the author's list of switches.
    const Command commands[] = {
        {"back", ToolbarButton::Back, LanguageKey::MenuGoBack, Flag(ToolbarButton::Back)},
        {"forward", ToolbarButton::Forward, LanguageKey::MenuGoForward,
         Flag(ToolbarButton::Forward)},
        {"previous", ToolbarButton::Previous, LanguageKey::MenuGoPrevious, s.previousButton != 0},
        {"next", ToolbarButton::Next, LanguageKey::MenuGoNext, s.nextButton != 0},
        {"stop", ToolbarButton::Stop, LanguageKey::MenuGoStop, Flag(ToolbarButton::Stop)},
        {"refresh", ToolbarButton::Refresh, LanguageKey::MenuGoRefresh,
         Flag(ToolbarButton::Refresh)},
        {"home", ToolbarButton::Home, LanguageKey::MenuGoHome, Flag(ToolbarButton::Home)},
        {"search", ToolbarButton::Search, LanguageKey::MenuGoSearch, Flag(ToolbarButton::Search)},
        {"contents", ToolbarButton::Contents, LanguageKey::MenuGoContents,
         s.contentsPage != kSystemPageDisabled && Flag(ToolbarButton::Contents)},
        {"copy", ToolbarButton::Copy, LanguageKey::MenuEditCopy, Flag(ToolbarButton::Copy)},
        {"find", ToolbarButton::Find, LanguageKey::MenuEditFind, Flag(ToolbarButton::Find)},
        {"size", ToolbarButton::Size, LanguageKey::MenuViewTextSize, Flag(ToolbarButton::Size)},
        {"print", ToolbarButton::Print, LanguageKey::MenuFilePrint, Flag(ToolbarButton::Print)},
        {"about", ToolbarButton::About, LanguageKey::MenuHelpAbout,
         s.aboutPage != kSystemPageDisabled && Flag(ToolbarButton::About)},
        {"exit", ToolbarButton::Exit, LanguageKey::MenuFileExit, s.exitButton != 0},
    };
    // Without pictures the buttons show their labels, whatever the book asks.
    const bool labels = file == nullptr || s.toolbarLabels != 0;
    std::string out =
        "<div id=\"toolbar\"" + std::string(s.toolbarInitially != 0 ? "" : " hidden") + ">";
    for (const Command& c : commands) {
        if (!c.onToolbar) {
            continue;
        }
        const ButtonText text = book_.texts().Button(ButtonTextKey(c.picture));
        const std::string tip = s.tooltipShort != 0 ? text.label : text.tip;
        out += "<button type=\"button\" data-cmd=\"" + std::string(c.name) + "\" title=\"" +
               EscapeHtml(tip) + "\">";
        const int cell = file ? file->CellOf(c.picture) : -1;
        if (cell >= 0) {
            out += "<span class=\"pic\" style=\"width:" + std::to_string(file->cellWidth) +
                   "px;height:" + std::to_string(file->cellHeight) + "px;background-position:-" +
                   std::to_string(static_cast<std::uint64_t>(cell) * file->cellWidth) +
                   "px 0\"></span>";
        }
        if (labels || cell < 0) {
            out += "<span class=\"label\">" + EscapeHtml(text.label) + "</span>";
        }
        out += "</button>";
        if (c.name == "contents" && s.contentsPopupList != 0) {
            out += "<button type=\"button\" class=\"drop\" data-cmd=\"contentslist\" title=\"" +
                   EscapeHtml(tip) + "\">&#9662;</button>";
        }
    }
    return out + "</div>";
}

std::string FrameWriter::ContentsList() const {
    const std::vector<std::size_t> listed = book_.order().ContentsPages(book_.directory());
    const std::string pages = parts_.pageOrigin + parts_.base;
    std::string out =
        "<div id=\"contentslist\" hidden><a target=\"page\" href=\"" + pages + "/go/contents\">" +
        MenuLabel(book_.texts().Menu(LanguageKey::PopupShowContents).text) + "</a><hr>";
    for (std::size_t i = 0; i < listed.size() && i < kContentsPopupLimit; ++i) {
        const DirectoryEntry& e = book_.directory()[listed[i]];
        out += "<a target=\"page\" href=\"" + pages + "/book/" + PercentEncode(e.name, true) +
               "\">" + EscapeHtml(PageTitleOf(e)) + "</a>";
    }
    return out + "</div>";
}

std::string FrameWriter::Page() {
    const BuildSettings& s = book_.settings();
    const ReaderTexts& t = book_.texts();
    const ArchiveTrailer& trailer = book_.trailer();
    const std::string title =
        s.title.empty() ? std::filesystem::path(book_.path()).filename().string() : s.title;
    const char* positions[] = {"top", "left", "right", "bottom"};
    // Indexed by ToolbarPosition; an unknown code puts the toolbar at the top.
    const int position = s.toolbarPosition >= 0 && s.toolbarPosition < kToolbarPositionCount
                             ? s.toolbarPosition
                             : StoredCode(ToolbarPosition::Top);
    std::string out =
        "<!DOCTYPE html>\n<html lang=\"" + EscapeHtml(t.Text(LanguageKey::LanguageCode)) +
        "\"><head><meta charset=\"utf-8\"><title>" + EscapeHtml(title) +
        "</title><link rel=\"icon\" href=\"" + parts_.base +
        "/frame/icon.ico\"><link rel=\"stylesheet\" href=\"" + parts_.base + "/frame/frame.css\">";
    if (book_.toolbar() != nullptr) {
        out += "<style>#toolbar .pic{background-image:url(\"" + parts_.base +
               "/frame/toolbar.png\")}</style>";
    }
    out += "<script src=\"" + parts_.base + "/frame/keys.js\" defer></script><script src=\"" +
           parts_.base + "/frame/frame.js\" defer></script></head>\n";
    const std::string ready = t.Text(LanguageKey::StatusReady);
    out += "<body class=\"toolbar-" + std::string(positions[position]) + "\" data-base=\"" +
           parts_.base + "\" data-key=\"" + parts_.frameKey + "\" data-pages=\"" +
           EscapeHtml(parts_.pageOrigin) + "\" data-done=\"" +
           EscapeHtml(t.Text(LanguageKey::StatusDone)) + "\" data-notfound=\"" +
           EscapeHtml(t.Text(LanguageKey::MsgTextNotFound)) + "\" data-title=\"" +
           EscapeHtml(title) + "\">\n";
    if (trailer.splashOffset != 0) {
        out += "<div id=\"splash\" data-delay=\"" +
               std::to_string(std::clamp<std::int32_t>(trailer.splashExtraDelay, 0, 9900)) +
               "\"><img alt=\"\" src=\"" + parts_.base + "/frame/splash\">";
        if (trailer.splashPercentageBar != 0) {
            out += "<div class=\"bar\"><div></div></div>";
        }
        out += "</div>\n";
    }
    out += Menus() + "\n" + Toolbar() + "\n";
    out += "<form id=\"searchbar\" hidden target=\"page\" method=\"get\" action=\"" +
           parts_.pageOrigin + parts_.base + "/system/search\"><label>" +
           EscapeHtml(t.Text(LanguageKey::PromptSearchFor)) +
           " <input type=\"search\" name=\"q\" id=\"q\"></label><button type=\"submit\">" +
           MenuLabel(t.Text(LanguageKey::CaptionSearch)) + "</button></form>\n";
    out += ContentsList() + "\n";
    out += "<main><iframe id=\"page\" name=\"page\" title=\"" + EscapeHtml(title) +
           "\" sandbox=\"" + kPageSandbox + "\" src=\"" + parts_.pageOrigin + parts_.base + "/" +
           parts_.firstPage + "\"></iframe></main>\n";
    // Find on the author's page.
    out += "<form id=\"findbar\" hidden><label>" + MenuLabel(t.Text(LanguageKey::PromptFindWhat)) +
           " <input type=\"search\" id=\"findtext\"></label><button type=\"submit\">" +
           MenuLabel(t.Text(LanguageKey::CaptionFindNext)) +
           "</button><button type=\"button\" id=\"findclose\" title=\"" +
           EscapeHtml(t.Text(LanguageKey::CaptionClose)) + "\">&#10005;</button></form>\n";
    out += "<footer id=\"status\"" + std::string(s.statusBarInitially != 0 ? "" : " hidden") + ">" +
           EscapeHtml(ready) + "</footer>\n";
    // The question of the reader, in its own words and with buttons the book cannot rename:
    // the script fills them from the reader's state, never from the book's files.
    out +=
        "<dialog id=\"question\"><p id=\"questionlead\"></p><p id=\"questionsubject\"></p>"
        "<p id=\"questionadvice\"></p><div class=\"buttons\">"
        "<button type=\"button\" id=\"questionno\" disabled></button>"
        "<button type=\"button\" id=\"questionyes\" disabled></button></div></dialog>\n";
    // The start-up message and other notes, as plain text.
    out +=
        "<dialog id=\"note\"><p id=\"notetext\"></p><div class=\"buttons\"><button "
        "type=\"button\" id=\"noteok\">" +
        EscapeHtml(t.Text(LanguageKey::CaptionOk)) + "</button></div></dialog>\n";
    // After Exit, where the browser keeps the window open, or when the reader is gone.
    out += "<p id=\"closed\" hidden>" + EscapeHtml(kBookClosedText) + "</p>\n";
    out += "<template id=\"startup\">" + EscapeHtml(s.startupMessage) + "</template>\n";
    return out + "</body></html>\n";
}

}  // namespace

std::string ReaderFrameHtml(const ReaderBook& book, const FrameParts& parts) {
    return FrameWriter(book, parts).Page();
}

std::vector<std::pair<std::string, std::string>> FrameKeys(const ReaderBook& book) {
    std::vector<std::pair<std::string, std::string>> keys;
    for (const MenuEntry& menu : MenuModel(book.settings())) {
        for (const MenuItemEntry& item : menu.items) {
            const std::string key =
                item.cmd.empty() ? std::string()
                                 : PortableAccelerator(book.texts().Menu(item.key).accelerator);
            if (!key.empty()) {
                keys.emplace_back(key, std::string(item.cmd));
            }
        }
    }
    return keys;
}

std::string PageHelperScript(const ReaderBook& book, const std::string& frameOrigin) {
    // Copy and Select All stay the page's own: the browser does them on the page already.
    JsonWriter config;
    config.BeginObject();
    config.Key("frame").String(frameOrigin);
    config.Key("keys").BeginArray();
    for (const auto& [key, cmd] : FrameKeys(book)) {
        if (cmd != "copy" && cmd != "selectall") {
            config.String(key);
        }
    }
    config.EndArray();
    config.Key("newWindow").Bool(book.settings().autoOpenLinksInNewWindow != 0);
    config.EndObject();
    std::string page(PageScriptAsset());
    const std::string_view mark = "/*CONFIG*/null";
    const std::size_t at = page.find(mark);
    if (at != std::string::npos) {
        page.replace(at, mark.size(), config.Text());
    }
    // One function around both, so that nothing of ours is a global of the author's page.
    return "(() => {\n" + std::string(KeyNamesAsset()) + page + "})();\n";
}

}  // namespace nbx::reader
