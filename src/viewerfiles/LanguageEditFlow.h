#pragma once
// The copy-and-edit flow behind the "&Edit..." button of the User Interface dialog: check
// the language shown, ask for the name to save it under (CLanguageNameDlg), copy the file
// when the name is new, refill the language list and open the editor. The windows come in
// through LanguageEditUi; the rules are here.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/Prompter.h"
#include "viewerfiles/LanguageList.h"

namespace nbx {

inline constexpr const char* kLanguageNameTitle = "Select Name for File";
inline constexpr const char* kLanguageNameLabel = "Enter name for Language &File";
inline constexpr std::size_t kLanguageNameMaxLength = 16;

inline constexpr const char* kCorruptLanguageMessage =
    "The selected language file is corrupted, invalid, or intended for use with a different "
    "version of Nimbrel E-Book Compiler.";
inline constexpr const char* kCopyLanguageFailedMessage =
    "Unable to copy language file\n\nOut of disk space?";

// The name dialog's OK button is enabled only while this holds: the text, trimmed of
// leading and trailing white space, is not empty.
bool LanguageNameOkEnabled(std::string_view typed);

struct LanguageNameCheck {
    bool accepted = false;
    // On refusal: the message to show before the focus goes back to the field. Empty when
    // the author answered No to the overwrite question (the dialog just stays open).
    std::string message;
    // On acceptance: the name the language goes by, spelt as the installed file of that name
    // is (whatever the case typed), or as typed for a new language.
    std::string name;
};

// typed spelt as the installed language whose name differs from it only in case, or typed
// itself when there is none: a language has one file, whatever the case of its name.
std::string InstalledLanguageSpelling(std::string_view typed);

// The name dialog's OK checks, in order: empty after trimming; a character that is not a
// letter a-z (either case) or a digit; the name "English"; and, for a name other than
// startName (both compared respecting case) whose language file exists, the question
// "Are you sure that you want to overwrite the '<name>' language file?" (Yes/No, No the
// default).
LanguageNameCheck CheckLanguageName(std::string_view typed, std::string_view startName,
                                    Prompter& prompter);

// Copies the file at fromPath over toPath through a temporary file, so that a failed copy
// leaves neither a partial file nor a damaged one at toPath. False with the errno in
// errorCode on failure.
bool CopyLanguageFile(const std::string& fromPath, const std::string& toPath, int& errorCode);

// The windows the flow opens. Each is modal; the flow runs them in order.
class LanguageEditUi {
public:
    virtual ~LanguageEditUi() = default;
    // CLanguageNameDlg, starting with startName; its OK runs CheckLanguageName. Returns the
    // accepted name, or nothing when the author cancelled.
    virtual std::optional<std::string> AskLanguageName(const std::string& startName) = 0;
    // Refills the User Interface dialog's language list.
    virtual void ShowLanguageList(const LanguageList& list) = 0;
    // CLanguageEditDlg on the language file at path.
    virtual void EditLanguage(const std::string& name, const std::string& path) = 0;
};

// Runs the flow on the language shown in the list. Returns true when the editor was opened
// (the new file and the list's selection stay even if the editor is then cancelled).
bool RunLanguageEditFlow(const std::string& shownName, LanguageEditUi& ui, Prompter& prompter);

}  // namespace nbx
