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

// The value of key in section, or defaultValue; cut to at most maxLength bytes, never inside
// a UTF-8 character (CutToCharacterBoundary).
std::string ReadProfileString(std::string_view file, std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::size_t maxLength = 65535);

// The leading decimal number of the value (an optional sign, then digits; 0 when there are
// none), or defaultValue when the key is missing.
int ReadProfileInt(std::string_view file, std::string_view section, std::string_view key,
                   int defaultValue);

// Whether text can be a section, key or value of a profile file: it holds no CR, LF or NUL.
// Each of those would end the line, and what followed would be read as lines of its own
// (a section "[EXTENSION1]" that loads a library, say).
bool FitsProfileLine(std::string_view text);

// Sets key in section, adding the section and the key when missing. The file is written
// through a temporary file and a rename. False, with the reason in why (a message naming the
// key and the file), when a text does not fit on a line (FitsProfileLine; the file is then
// not touched) or the file cannot be written.
bool WriteProfileString(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view value, std::string* why = nullptr);

// Section names in file order. Like a fixed buffer of maxBytes bytes holding each name and
// a terminator plus a final terminator: names that do not fit whole are left off.
std::vector<std::string> ListProfileSections(std::string_view file, std::size_t maxBytes = 32768);

}  // namespace nbx::platform
