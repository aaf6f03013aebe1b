#pragma once
// The placeholders of the language texts: "{{name}}", where name is letters and digits.
// The reader fills them in; the generator checks that a translation uses the same ones as
// the English text.

#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nbx {

using TemplateValues = std::vector<std::pair<std::string_view, std::string_view>>;

// Replaces each placeholder whose name is among values by its value, in one pass: a value
// that itself holds "{{...}}" is not expanded again. Unknown placeholders stay as written.
std::string FillTemplate(std::string_view text, const TemplateValues& values);

// The names of the placeholders that text holds.
std::set<std::string> PlaceholdersOf(std::string_view text);

}  // namespace nbx
