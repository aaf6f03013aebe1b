#pragma once
// Every text of the e-book reader, by key. The reader shows nothing that is not in its
// language file, and the data generator refuses a language source that lacks one of these
// keys, so the two can't drift apart. data/translat.txt says what each text is for.
//
// Placeholders are written "{{name}}" (viewerfiles/TextTemplate.h); the comment of each key
// names those the reader fills in. Flags (LanguageFormat.h): F fixed, L menu item "text\t
// accelerator", D tool bar button "tool tip\nlabel", T file type "description|wild card|
// default suffix", H HTML, P field label, W window title, Z button caption, R message.
//
// NBX_LANGUAGE_KEYS(X) calls X(Name, key, flag) once per key, in ascending key order.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "format/ToolbarFormat.h"

// clang-format off
#define NBX_LANGUAGE_KEYS(X) \
    /* Fixed items */ \
    X(Version,               1, 'F')  /* "4.22"; the compiler's check */ \
    X(LanguageCode,          2, 'F')  /* BCP 47 code for the HTML lang attribute: "en" */ \
    X(TextDirection,         3, 'F')  /* "ltr" or "rtl" */ \
    /* Menus (L) */ \
    X(MenuFile,            100, 'L')  /* File menu title */ \
    X(MenuFilePrint,       101, 'L')  /* print the page shown */ \
    X(MenuFilePageSetup,   102, 'L')  /* paper and margins for printing */ \
    X(MenuFilePrintPdf,    103, 'L')  /* writes the page to a PDF file (FilterPdf) */ \
    X(MenuFileExit,        104, 'L')  /* close the e-book */ \
    X(MenuEdit,            110, 'L')  /* Edit menu title */ \
    X(MenuEditCopy,        111, 'L')  /* copy the selection */ \
    X(MenuEditSelectAll,   112, 'L')  /* select the whole page */ \
    X(MenuEditFind,        113, 'L')  /* find text on the page shown */ \
    X(MenuEditFindNext,    114, 'L')  /* find the same text again */ \
    X(MenuView,            120, 'L')  /* View menu title */ \
    X(MenuViewToolbar,     121, 'L')  /* check item */ \
    X(MenuViewStatusBar,   122, 'L')  /* check item */ \
    X(MenuViewTextSize,    123, 'L')  /* sub-menu of the five sizes below */ \
    X(MenuViewSizeLargest, 124, 'L')  /* text size items, largest to smallest */ \
    X(MenuViewSizeLarger,  125, 'L')  /* text size item */ \
    X(MenuViewSizeMedium,  126, 'L')  /* the normal size */ \
    X(MenuViewSizeSmaller, 127, 'L')  /* text size item */ \
    X(MenuViewSizeSmallest,128, 'L')  /* text size item */ \
    X(MenuGo,              130, 'L')  /* Go menu title */ \
    X(MenuGoBack,          131, 'L')  /* history back */ \
    X(MenuGoForward,       132, 'L')  /* history forward */ \
    X(MenuGoStop,          133, 'L')  /* stop loading */ \
    X(MenuGoRefresh,       134, 'L')  /* show the page again */ \
    X(MenuGoHome,          135, 'L')  /* the index page */ \
    X(MenuGoNext,          136, 'L')  /* next page in the book's order */ \
    X(MenuGoPrevious,      137, 'L')  /* previous page in the book's order */ \
    X(MenuGoContents,      138, 'L')  /* the Table Of Contents page */ \
    X(MenuGoSearch,        139, 'L')  /* the Search page */ \
    X(MenuHelp,            150, 'L')  /* Help menu title */ \
    X(MenuHelpAbout,       151, 'L')  /* the About page */ \
    X(PopupOpenLink,       160, 'L')  /* right-click menu over a link */ \
    X(PopupCopyLinkAddress,161, 'L')  /* right-click menu over a link */ \
    X(PopupShowContents,   162, 'L')  /* first item of the Contents button's list */ \
    /* Tool bar buttons (D); key = 200 + toolbar::ToolbarButton */ \
    X(ButtonBack,          200, 'D')  /* history back */ \
    X(ButtonForward,       201, 'D')  /* history forward */ \
    X(ButtonStop,          202, 'D')  /* stop loading */ \
    X(ButtonRefresh,       203, 'D')  /* show the page again */ \
    X(ButtonHome,          204, 'D')  /* the index page */ \
    X(ButtonSearch,        205, 'D')  /* the Search page */ \
    X(ButtonContents,      206, 'D')  /* Table Of Contents; may drop down a list */ \
    X(ButtonCopy,          207, 'D')  /* copy the selection */ \
    X(ButtonFind,          208, 'D')  /* the Find window */ \
    X(ButtonSize,          209, 'D')  /* cycles or lists the text sizes */ \
    X(ButtonPrint,         210, 'D')  /* print the page shown */ \
    X(ButtonAbout,         212, 'D')  /* the About page */ \
    X(ButtonNext,          213, 'D')  /* next page in the book's order */ \
    X(ButtonPrevious,      214, 'D')  /* previous page in the book's order */ \
    X(ButtonExit,          215, 'D')  /* close the e-book */ \
    /* File types (T) */ \
    X(FilterPdf,           300, 'T')  /* Print to PDF file type */ \
    X(FilterAll,           301, 'T')  /* any file */ \
    /* System pages (H). Every page: {{lang}} {{dir}} {{style}} {{title}} (the book's). */ \
    X(PageStyle,           400, 'H')  /* {{background}} {{text}} {{textBackground}} {{link}} {{visited}} {{hover}} */ \
    X(AboutPage,           401, 'H')  /* {{rows}} {{affiliate}} */ \
    X(AboutRow,            402, 'H')  /* {{label}} {{value}}; one per book detail that is set */ \
    X(AboutAffiliate,      403, 'H')  /* {{nickname}}; only when a nickname is set */ \
    X(ContentsPage,        410, 'H')  /* {{rows}} */ \
    X(ContentsRow,         411, 'H')  /* {{href}} {{pageTitle}} */ \
    X(ContentsRowDescribed,412, 'H')  /* {{href}} {{pageTitle}} {{description}} */ \
    X(ContentsEmpty,       413, 'H')  /* in place of the rows when no page is listed */ \
    X(SearchPage,          420, 'H')  /* {{results}}: SearchIntro, SearchResults or SearchNoResults */ \
    X(SearchIntro,         421, 'H')  /* before anything was searched for */ \
    X(SearchResults,       422, 'H')  /* {{query}} {{count}} {{rows}} */ \
    X(SearchResultRow,     423, 'H')  /* {{href}} {{pageTitle}} {{match}} {{description}} */ \
    X(SearchMatch,         424, 'H')  /* {{percent}}; fills {{match}} when % Match is shown */ \
    X(SearchDescription,   425, 'H')  /* {{description}}; fills {{description}} when shown */ \
    X(SearchNoResults,     426, 'H')  /* {{query}} */ \
    X(PageNotFound,        430, 'H')  /* {{page}}; a link to a page the book lacks */ \
    /* Field labels (P) */ \
    X(PromptSearchFor,     500, 'P')  /* the search box */ \
    X(PromptFindWhat,      501, 'P')  /* the Find window */ \
    X(AboutLabelAuthor,    510, 'P')  /* {{label}} of AboutRow */ \
    X(AboutLabelEmail,     511, 'P')  /* {{label}} of AboutRow */ \
    X(AboutLabelWebSite,   512, 'P')  /* {{label}} of AboutRow */ \
    X(AboutLabelPublisher, 513, 'P')  /* {{label}} of AboutRow */ \
    X(AboutLabelCopyright, 514, 'P')  /* {{label}} of AboutRow */ \
    X(AboutLabelCompiled,  515, 'P')  /* date and time the book was built */ \
    /* Window titles (W) */ \
    X(TitleFind,           520, 'W')  /* the Find window */ \
    X(TitleSearch,         521, 'W')  /* the search box's window, if it has one */ \
    X(TitlePrintPdf,       522, 'W')  /* the save window of MenuFilePrintPdf */ \
    X(TitleRunProgram,     523, 'W')  /* the MsgRunProgram question */ \
    X(TitleError,          524, 'W')  /* error messages */ \
    /* Button and check box captions (Z) */ \
    X(CaptionOk,           540, 'Z')  /* message box button */ \
    X(CaptionCancel,       541, 'Z')  /* message box button */ \
    X(CaptionYes,          542, 'Z')  /* message box button */ \
    X(CaptionNo,           543, 'Z')  /* message box button */ \
    X(CaptionClose,        544, 'Z')  /* closes the Find window */ \
    X(CaptionFindNext,     545, 'Z')  /* Find window */ \
    X(CaptionMatchCase,    546, 'Z')  /* Find window check box */ \
    X(CaptionSearch,       547, 'Z')  /* beside the search box */ \
    /* Messages (R) */ \
    X(MsgBookDamaged,      600, 'R')  /* the archive or a page fails to read */ \
    X(MsgPageDamaged,      601, 'R')  /* {{page}} */ \
    X(MsgRunProgram,       602, 'R')  /* {{program}}; Yes/No question before ##RUN */ \
    X(MsgRunProgramFailed, 603, 'R')  /* {{program}} */ \
    X(MsgNoSearchWords,    604, 'R')  /* a search without words */ \
    X(MsgTextNotFound,     605, 'R')  /* {{text}} */ \
    X(MsgOpenLinkFailed,   606, 'R')  /* {{url}} */ \
    X(MsgPrintFailed,      607, 'R')  /* printing failed */ \
    X(MsgSaveFailed,       608, 'R')  /* {{file}} */ \
    X(MsgNoPages,          609, 'R')  /* the book has no page to show */ \
    /* Status bar and tool tip texts (R) */ \
    X(StatusReady,         700, 'R')  /* idle */ \
    X(StatusLoading,       701, 'R')  /* {{page}} */ \
    X(StatusDone,          702, 'R')  /* page shown */ \
    X(StatusSearching,     703, 'R')  /* search running */ \
    X(StatusFound,         704, 'R')  /* {{count}} */ \
    X(TipNextPage,         710, 'R')  /* {{page}}: Next button tool tip with its destination */ \
    X(TipPreviousPage,     711, 'R')  /* {{page}} */
// clang-format on

namespace nbx {

enum class LanguageKey : std::int32_t {
#define NBX_LANGUAGE_KEY_ENUM(name, key, flag) name = key,
    NBX_LANGUAGE_KEYS(NBX_LANGUAGE_KEY_ENUM)
#undef NBX_LANGUAGE_KEY_ENUM
};

struct LanguageKeyInfo {
    LanguageKey key;
    std::string_view name;
    char flag;
};

inline constexpr LanguageKeyInfo kLanguageKeys[] = {
#define NBX_LANGUAGE_KEY_INFO(name, key, flag) {LanguageKey::name, #name, flag},
    NBX_LANGUAGE_KEYS(NBX_LANGUAGE_KEY_INFO)
#undef NBX_LANGUAGE_KEY_INFO
};

inline constexpr std::int32_t KeyNumber(LanguageKey key) {
    return static_cast<std::int32_t>(key);
}

// The entry for a key name, or nullptr.
inline constexpr const LanguageKeyInfo* FindLanguageKey(std::string_view name) {
    for (const auto& info : kLanguageKeys) {
        if (info.name == name) {
            return &info;
        }
    }
    return nullptr;
}

// The D text of a tool bar button.
inline constexpr LanguageKey ButtonTextKey(toolbar::ToolbarButton button) {
    return static_cast<LanguageKey>(200 + static_cast<std::int32_t>(button));
}

namespace detail {
constexpr bool KeysAscendAndAreUnique() {
    for (std::size_t i = 1; i < std::size(kLanguageKeys); ++i) {
        if (KeyNumber(kLanguageKeys[i - 1].key) >= KeyNumber(kLanguageKeys[i].key)) {
            return false;
        }
    }
    return true;
}
}  // namespace detail
static_assert(detail::KeysAscendAndAreUnique(), "language keys must ascend without repeats");
static_assert(KeyNumber(kLanguageKeys[0].key) == 1, "key 1 must hold the version");
static_assert(ButtonTextKey(toolbar::ToolbarButton::Back) == LanguageKey::ButtonBack &&
                  ButtonTextKey(toolbar::ToolbarButton::Print) == LanguageKey::ButtonPrint &&
                  ButtonTextKey(toolbar::ToolbarButton::About) == LanguageKey::ButtonAbout &&
                  ButtonTextKey(toolbar::ToolbarButton::Exit) == LanguageKey::ButtonExit,
              "button keys follow the toolbar numbering");

}  // namespace nbx
