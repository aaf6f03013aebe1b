#pragma once
// The reader's texts, from the book's "__lang.lng" entry. Every word the reader shows comes
// through here; a key the file lacks shows as "LANGDATA Error", like every other user of a
// language file.

#include <string>
#include <string_view>

#include "viewerfiles/CLanguageMap.h"
#include "viewerfiles/LanguageKeys.h"

namespace nbx::reader {

// An L value: the menu item's text and the accelerator shown beside it.
struct MenuText {
    std::string text;         // with its '&' mnemonic
    std::string accelerator;  // as the language writes it ("Strg+P"); empty when none
};

// A D value: the long description (tool tip, status bar) and the short one (button label).
struct ButtonText {
    std::string tip;
    std::string label;
};

// A T value: "description|wild cards|default suffix".
struct FileTypeText {
    std::string description;
    std::string wildCards;
    std::string suffix;
};

class ReaderTexts {
public:
    // Reads a language file's bytes. False with error set when they do not read as one.
    bool Load(std::string_view bytes, std::string& error);

    std::string Text(LanguageKey key) const { return map_.GetText(KeyNumber(key)); }
    MenuText Menu(LanguageKey key) const;
    ButtonText Button(LanguageKey key) const;
    FileTypeText FileType(LanguageKey key) const;

private:
    CLanguageMap map_;
};

// An accelerator as a language file writes it, turned into the portable names that the
// reader's frame matches pressed keys against: "Strg+Bild ab" gives "Ctrl+PgDown". The
// modifiers come first, always as Ctrl, Alt, Shift in that order, and a letter key is upper
// case. Names of the languages we ship are translated; any other part is passed on as it
// stands.
std::string PortableAccelerator(std::string_view shown);

}  // namespace nbx::reader
