#pragma once
// The rules for a variable's name, and the names the reader supplies itself.

#include <array>
#include <string>
#include <string_view>

namespace nbx {

// The predefined system variables, in the order they are tested. Matching is exact and
// case-sensitive, so "Title" is free while "title" is taken.
extern const std::array<std::string_view, 50> kReservedVariableNames;

bool IsReservedVariableName(std::string_view name);

// True when name may be a variable's name. Otherwise false with message set to the first
// rule broken: empty, a character other than an ASCII letter or digit, a leading digit, a
// reserved name.
bool ValidateVariableName(std::string_view name, std::string& message);

}  // namespace nbx
