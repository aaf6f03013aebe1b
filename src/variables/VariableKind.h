#pragma once
// The six kinds of variable, their display names and the editor each one uses. Kinds travel
// as plain 32-bit numbers (a project file may hold any number), so every function here
// accepts any value.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace nbx {

enum VariableKind : std::int32_t {
    kHtmlFragment = 0,
    kTextToHtml = 1,
    kLongHtmlFragment = 2,
    kLongTextToHtml = 3,
    kIncludeHtml = 4,
    kIncludeTextToHtml = 5,
};
inline constexpr std::int32_t kVariableKindCount = 6;

// "HTML Fragment" ... "Compile Time Include to convert to HTML"; "Error" outside 0..5.
std::string_view KindLongName(std::int32_t kind);
// "HTML" ... "Include -> HTML"; "Error" outside 0..5.
std::string_view KindShortName(std::int32_t kind);

// Kinds 0 to 3, whose values are typed in and may be changed by a reseller.
bool IsRebrandableKind(std::int32_t kind);
// Kinds 4 and 5, whose value is the path of a file read at build time.
bool IsIncludeKind(std::int32_t kind);

// The three value editors of the variable dialogs.
enum class ValueEditor { SingleLine, MultiLine, FileName };

// The editor that holds a kind's value; kinds outside 0..5 use the single-line editor.
ValueEditor EditorForKind(std::int32_t kind);

// Longest text each field of the variable dialogs takes.
inline constexpr std::size_t kMaxVariableNameLength = 255;
inline constexpr std::size_t kMaxVariableDescriptionLength = 255;
std::size_t MaxValueLength(ValueEditor editor);

}  // namespace nbx
