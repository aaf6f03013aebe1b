#pragma once
// Files whose content becomes a variable's value at build time: the quick test the variable
// dialogs run, the question it leads to, and the full read the build does. Paths are used as
// they stand. Only regular files count; anything else (a folder, a pipe, a device) is a file
// that cannot be opened.

#include <cstdint>
#include <string>
#include <string_view>

namespace nbx {

class Prompter;

enum IncludeFileCheck : int {
    kIncludeFileOk = 0,
    kIncludeFileCannotOpen = 1,
    kIncludeFileNotText = 2,  // a control byte other than tab, LF, CR in the first 4095 bytes
    kIncludeFileEmpty = 3,
};

// Looks at the first 4095 bytes only, so it stays fast on large files. A read error after
// the file opened counts as acceptable.
IncludeFileCheck CheckIncludeFile(const std::string& path);

// The message (for kIncludeFileCannotOpen) or question (not text, empty) the user gets for a
// check result; empty for kIncludeFileOk.
std::string_view IncludeFileMessage(IncludeFileCheck check);

// True if the file may be used: accepted at once when it checks out, refused with "File does
// not exist." when it cannot be opened, else after the user answers Yes (No is the default).
bool ConfirmIncludeFile(const std::string& path, Prompter& prompter);
// The same for a check already made.
bool ConfirmIncludeFileCheck(IncludeFileCheck check, Prompter& prompter);

// The longest include file, and text made from one, that the build takes; the output stores
// lengths in 32 bits.
inline constexpr std::uint64_t kMaxIncludeFileSize = 0x7FFFFFFE;

// Reads the whole file as text: control bytes other than tab, LF and CR (NUL included)
// become spaces, then every tab becomes four spaces. False with text empty when the file
// cannot be opened or read whole, is empty, or its text would pass kMaxIncludeFileSize.
bool ReadIncludeFile(const std::string& path, std::string& text);

// A variable's value as the e-book gets it: kinds 0 to 3 the stored value unchanged, kind 4
// the content of the file the value names, kind 5 that content through ConvertTextToHtml.
// False with resolved empty for an unknown kind or an include file that ReadIncludeFile
// refuses.
bool ResolveVariableValue(std::int32_t kind, const std::string& storedValue, std::string& resolved);

}  // namespace nbx
