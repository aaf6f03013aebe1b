#pragma once
// The rules of CLanguageEditDlg: the rows of its list, the "modified" mark, Save and
// Cancel. The dialog draws the rows and runs the value edits of LanguageValueEdit.h.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/Prompter.h"
#include "viewerfiles/CLanguageMap.h"

namespace nbx {

struct LanguageRow {
    std::int32_t key = 0;
    char flag = 0;
    std::string purpose;  // from translat.dat, or "LANGDATA Error"
    std::string value;
    int number = 0;  // the "#" column: 1, 2, 3 ... in list order
};

class LanguageEditorModel {
public:
    // "Edit Language File - " + name
    static std::string Title(std::string_view languageName);

    // Reads the language file and translat.dat and builds the rows: every record whose flag
    // is not F, sorted by purpose (bytes, ascending), equal purposes by key. On failure shows
    // "Can't read language data." or "Can't read translation information, translat.dat"
    // and returns false; the dialog then closes as cancelled.
    bool Load(const std::string& languagePath, const std::string& translationPath,
              Prompter& prompter);

    const std::vector<LanguageRow>& rows() const { return rows_; }
    bool modified() const { return modified_; }
    const CLanguageMap& language() const { return language_; }

    // Stores an edited value of rows()[row] under its key with the row's flag, shows it in
    // the row and sets the "modified" mark. REQUIRES: row < rows().size().
    void SetValue(std::size_t row, std::string_view value);

    // "&Save": writes the language file when modified. True when the dialog may close;
    // false after showing "Unable to save changes." (the changes stay in the dialog).
    bool Save(Prompter& prompter);

    // "Cancel": true when the dialog may close. When modified, asks "Are you sure that you
    // want to discard your changes?" with No as the default; No keeps it open.
    bool ConfirmCancel(Prompter& prompter) const;

private:
    std::string languagePath_;
    CLanguageMap language_;
    CLanguageMap translation_;
    std::vector<LanguageRow> rows_;
    bool modified_ = false;
};

}  // namespace nbx
