#pragma once
// How the language editor changes one value, by its flag: the dialog it takes, how the
// value is split into fields and joined again, and the checks after OK. The dialogs show
// what these functions return; nothing here draws.
//
// No value is ever cut: a field's limit is the usual one (255 or 9999 characters) or the
// length of what it starts with, whichever is larger.

#include <cstddef>
#include <string>
#include <string_view>

namespace nbx {

enum class LanguageEditKind {
    TwoPart,    // D, L, T: CLanguagePartsDlg
    LongText,   // H and every flag without a rule of its own: multi-line CLanguageTextDlg
    ShortText,  // P, W, Z: single-line CLanguageTextDlg
    Fixed       // F: "This item can not be edited"
};

LanguageEditKind EditKindOfFlag(char flag);

inline constexpr const char* kEditTextTitle = "Edit Language Text";
inline constexpr const char* kFixedItemMessage = "This item can not be edited";

// "Edit Language Text", with " (HTML)" for flag H.
std::string TextEditTitle(char flag);

// The length a field accepts: limit, or more when the value it shows is already longer.
std::size_t FieldLimit(std::size_t limit, std::string_view shown);

// The long form shows a tab as "\t", a line feed as "\n" and a carriage return as "\r".
// A backslash that would otherwise read as the start of such a pair is shown doubled
// ("\\"), so UnescapeLongText(EscapeLongText(v)) == v for every value; any other
// backslash is shown as it is.
std::string EscapeLongText(std::string_view value);
// Turns "\t", "\n", "\r" and "\\" back into their characters; a backslash before any
// other character is kept.
std::string UnescapeLongText(std::string_view shown);

// The fields of the two-part dialog for a D, L or T value.
struct TwoPartFields {
    char flag = 0;
    std::string firstLabel;   // "Long Description", "Menu Item Text", "File Description"
    std::string secondLabel;  // "Short Description", "Accelerator Description", "Wild Card"
    std::string first;
    std::string second;
    bool secondEnabled = false;
    // D, L: the value held the separator. T: the value held a "|".
    bool hadSeparator = false;
    // T only: from the second "|" on, that "|" included; kept unchanged.
    std::string tail;
    std::size_t firstLimit = 0;
    std::size_t secondLimit = 0;
};

// REQUIRES: EditKindOfFlag(flag) == LanguageEditKind::TwoPart.
TwoPartFields SplitTwoPart(char flag, std::string_view value);

// The outcome of OK in the two-part dialog: the new value, or the message to show before
// the dialog shows again.
struct TwoPartResult {
    bool ok = false;
    std::string value;
    std::string message;
};

// D, L: "You left <second label> blank." while the value had a separator and the second
// field is empty; the value is first + separator + second, or first alone when second is
// empty. T: "Illegal character (|) in File Description." while the description holds "|";
// the value is description + "|" + wild card + tail, the bar written even where the value
// had none, as the form of a T value requires.
TwoPartResult JoinTwoPart(const TwoPartFields& fields, std::string_view first,
                          std::string_view second);

}  // namespace nbx
