#include "viewerfiles/CLanguageMap.h"

#include <limits>

#include "format/RecordStreamReader.h"
#include "format/RecordStreamWriter.h"
#include "platform/AtomicFileWriter.h"
#include "platform/SystemError.h"
#include "viewerfiles/LanguageFormat.h"

namespace nbx {

std::string ScrambleLanguageText(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<char>(out[i] ^ static_cast<char>(i % 4));
    }
    return out;
}

bool CLanguageMap::Read(const std::string& path) {
    table_.clear();
    FileInput input;
    if (!input.Open(path)) {
        error_ = path + ": " + platform::SystemErrorText(input.error());
        return false;
    }
    if (!Read(input)) {
        error_ = path + ": " + error_;
        return false;
    }
    return true;
}

bool CLanguageMap::Read(RandomAccessInput& input) {
    table_.clear();
    error_.clear();
    if (input.Size() > lang::kMaxFileSize) {
        error_ = "the file holds " + std::to_string(input.Size()) +
                 " bytes; a language file holds at most " + std::to_string(lang::kMaxFileSize);
        return false;
    }
    RecordStreamReader reader(input, lang::kReadAhead);
    std::int32_t count = 0;
    if (!reader.ReadMagic(lang::kLanguageMagic) || !reader.ReadWord(count)) {
        error_ = reader.error();
        return false;
    }
    // No allocation depends on count: each record is read before it is stored, and a count
    // larger than the data fails at the first record that is not there.
    Table table;
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t key = 0;
        std::string text;
        if (!reader.ReadWord(key) || !reader.ReadString(text)) {
            error_ = "record " + std::to_string(i + 1) + " of " + std::to_string(count) + ": " +
                     reader.error();
            return false;
        }
        // Files written here ascend by key, so the end is the right place almost always.
        table.insert_or_assign(table.end(), key, std::move(text));
    }
    table_ = std::move(table);
    return true;
}

bool CLanguageMap::WriteTo(ByteSink& sink) const {
    RecordStreamWriter writer(sink);
    writer.WriteMagic(lang::kLanguageMagic);
    writer.WriteWord(static_cast<std::int32_t>(table_.size()));
    for (const auto& [key, text] : table_) {
        writer.WriteWord(key);
        writer.WriteString(text);
    }
    return writer.Flush();
}

bool CLanguageMap::Write(const std::string& path) const {
    error_.clear();
    if (table_.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        error_ = path + ": too many entries";
        return false;
    }
    platform::AtomicFileWriter file(path);
    if (!file.Open()) {
        error_ = path + ": " + platform::SystemErrorText(file.error());
        return false;
    }
    AtomicFileSink sink(file);
    if (!WriteTo(sink) || !file.Commit()) {
        error_ = path + ": " + platform::SystemErrorText(file.error());
        return false;
    }
    return true;
}

std::string CLanguageMap::GetText(std::int32_t key) const {
    char flag = 0;
    return GetText(key, flag);
}

std::string CLanguageMap::GetText(std::int32_t key, char& flag) const {
    const auto it = table_.find(key);
    if (it == table_.end()) {
        flag = lang::kMissingFlag;
        return lang::kMissingText;
    }
    const std::string& stored = it->second;
    if (stored.empty()) {
        flag = '\0';
        return {};
    }
    flag = stored[0];
    return ScrambleLanguageText(std::string_view(stored).substr(1));
}

void CLanguageMap::SetText(std::int32_t key, char flag, std::string_view value) {
    std::string stored(1, flag);
    stored += ScrambleLanguageText(value);
    table_.insert_or_assign(key, std::move(stored));
}

}  // namespace nbx
