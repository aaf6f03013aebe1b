#include "viewerfiles/LanguageEditorModel.h"

#include <algorithm>

#include "viewerfiles/LanguageFormat.h"

namespace nbx {

std::string LanguageEditorModel::Title(std::string_view languageName) {
    return "Edit Language File - " + std::string(languageName);
}

bool LanguageEditorModel::Load(const std::string& languagePath, const std::string& translationPath,
                               Prompter& prompter) {
    rows_.clear();
    modified_ = false;
    languagePath_ = languagePath;
    if (!language_.Read(languagePath)) {
        prompter.Show("Can't read language data.", MessageIcon::Error);
        return false;
    }
    if (!translation_.Read(translationPath)) {
        prompter.Show("Can't read translation information, translat.dat", MessageIcon::Error);
        return false;
    }
    for (const auto& entry : language_) {
        LanguageRow row;
        row.key = entry.first;
        row.value = language_.GetText(row.key, row.flag);
        if (row.flag == lang::kFlagFixed) {
            continue;
        }
        row.purpose = translation_.GetText(row.key);
        rows_.push_back(std::move(row));
    }
    std::stable_sort(rows_.begin(), rows_.end(), [](const LanguageRow& a, const LanguageRow& b) {
        const int c = a.purpose.compare(b.purpose);
        return c != 0 ? c < 0 : a.key < b.key;
    });
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rows_[i].number = static_cast<int>(i + 1);
    }
    return true;
}

void LanguageEditorModel::SetValue(std::size_t row, std::string_view value) {
    LanguageRow& r = rows_.at(row);
    language_.SetText(r.key, r.flag, value);
    r.value = value;
    modified_ = true;
}

bool LanguageEditorModel::Save(Prompter& prompter) {
    if (modified_ && !language_.Write(languagePath_)) {
        prompter.Show("Unable to save changes.", MessageIcon::Error);
        return false;
    }
    modified_ = false;
    return true;
}

bool LanguageEditorModel::ConfirmCancel(Prompter& prompter) const {
    if (!modified_) {
        return true;
    }
    return prompter.Ask("Are you sure that you want to discard your changes?", Buttons::YesNo,
                        Answer::No) == Answer::Yes;
}

}  // namespace nbx
