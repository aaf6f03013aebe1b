#pragma once
// Private profile files ("name.ini") read and written the way the program has always used
// them: sections and keys compare without regard to case, values are trimmed, a missing file
// or key gives the default, and a write keeps every other line of the file as it stands.
//
// `file` is a name as the program spells it: a bare name lives in the configuration folder
// (ProfileFilePath), a path is used as it stands.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace nbx::platform {

// The value of key in section, at most maxLength characters, or defaultValue.
std::string ReadProfileString(std::string_view file, std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::size_t maxLength = 65535);

// The leading decimal number of the value (an optional sign, then digits; 0 when there are
// none), or defaultValue when the key is missing.
int ReadProfileInt(std::string_view file, std::string_view section, std::string_view key,
                   int defaultValue);

// Sets key in section, adding the section and the key when missing. The file is written
// through a temporary file and a rename. False with errorCode set when it cannot be written.
bool WriteProfileString(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view value, int* errorCode = nullptr);

// Section names in file order. Like a fixed buffer of maxBytes bytes holding each name and
// a terminator plus a final terminator: names that do not fit whole are left off.
std::vector<std::string> ListProfileSections(std::string_view file, std::size_t maxBytes = 32768);

}  // namespace nbx::platform
