#pragma once
// Path helpers in the native separator. Project files keep full paths; these split and join
// them the way the rest of the program expects ("after the last separator").

#include <string>
#include <string_view>

namespace nbx::platform {

#ifdef _WIN32
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

// The part of a path after its last separator, or "ERROR" when it has none.
std::string DisplayName(std::string_view path);

// The part of a path after its last separator, or the whole path when it has none.
std::string FileNameOfPath(std::string_view path);

// Everything up to and including the last separator; empty when there is none.
std::string FolderPartOfPath(std::string_view path);

// folder + separator + name, without doubling a separator that the folder already ends in.
std::string JoinPath(std::string_view folder, std::string_view name);

// True for a path that names a place without a current folder ("/..." here).
bool IsAbsolutePath(std::string_view path);

// A file name without folder: not empty, not "." or "..", no separator of either system and
// no NUL byte. A name from a file that passes stays inside the folder it is joined to.
bool IsPlainFileName(std::string_view name);

// A relative path of plain file names joined by '/' ("library/index.html"): not absolute, no
// empty, "." or ".." part, no backslash, no NUL byte. It stays inside the folder it is
// joined to.
bool IsPlainRelativePath(std::string_view path);

// Turns the relative spellings used in data file names ("icons\\Books\\x.ico") into native ones.
std::string NativeSeparators(std::string_view path);

bool FileExists(const std::string& path);

// True when two paths name one file: the same spelling, or one file on disk (through a link,
// a hard link, or a disk that ignores case).
bool SameFile(const std::string& a, const std::string& b);
bool FolderExists(const std::string& path);

}  // namespace nbx::platform
