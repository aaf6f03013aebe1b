#pragma once
// The in-memory form of a language data file or of translat.dat: a table from an integer
// key to its stored text (flag character + scrambled value). Layout in LanguageFormat.h.
//
// Iteration runs in ascending key order, so a table written twice gives the same bytes.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "format/ByteSink.h"
#include "format/RandomAccessInput.h"

namespace nbx {

// Turns a value into its stored form and back (the operation is its own inverse):
// character i becomes character i XOR (i mod 4).
std::string ScrambleLanguageText(std::string_view text);

class CLanguageMap {
public:
    using Table = std::map<std::int32_t, std::string>;

    // Reads a whole file. On failure returns false, leaves the table empty and sets error():
    // the file cannot be opened, is larger than lang::kMaxFileSize, the magic differs, or
    // the data ends inside a record. A count
    // of 0 or less gives an empty table and success. When a key repeats, the later record
    // wins. Bytes after the last record are ignored.
    bool Read(const std::string& path);
    bool Read(RandomAccessInput& input);

    // Writes the table to path through a temporary file that replaces it only when every
    // byte was written, so a failed save leaves the old file as it was. False with error()
    // set on failure.
    bool Write(const std::string& path) const;
    // The file's bytes; false only when the sink fails.
    bool WriteTo(ByteSink& sink) const;

    std::size_t Count() const { return table_.size(); }
    Table::const_iterator begin() const { return table_.begin(); }
    Table::const_iterator end() const { return table_.end(); }
    void Clear() { table_.clear(); }

    bool Contains(std::int32_t key) const { return table_.count(key) != 0; }
    // The value of a key (stored text without its flag, unscrambled), or "LANGDATA Error".
    std::string GetText(std::int32_t key) const;
    // As GetText, and the flag: 'N' for a missing key, '\0' for an empty stored text.
    std::string GetText(std::int32_t key, char& flag) const;
    // Stores flag + the scrambled value under key, replacing what was there.
    void SetText(std::int32_t key, char flag, std::string_view value);

    const std::string& error() const { return error_; }

private:
    Table table_;
    mutable std::string error_;
};

}  // namespace nbx
