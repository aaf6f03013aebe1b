#pragma once
// The display names of the six kinds of variable and the editor each one uses. Kinds travel
// as plain 32-bit numbers (a project file may hold any number), so every function here
// accepts any value.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "project/Variable.h"

namespace nbx {

// "HTML Fragment" ... "Compile Time Include to convert to HTML"; "Error" outside 0..5.
std::string_view KindLongName(std::int32_t kind);
// "HTML" ... "Include -> HTML"; "Error" outside 0..5.
std::string_view KindShortName(std::int32_t kind);

// The three value editors of the variable dialogs.
enum class ValueEditor { SingleLine, MultiLine, FileName };

// The editor that holds a kind's value; kinds outside 0..5 use the single-line editor.
ValueEditor EditorForKind(std::int32_t kind);

// Longest text each field of the variable dialogs takes.
inline constexpr std::size_t kMaxVariableNameLength = 255;
inline constexpr std::size_t kMaxVariableDescriptionLength = 255;
std::size_t MaxValueLength(ValueEditor editor);

}  // namespace nbx
