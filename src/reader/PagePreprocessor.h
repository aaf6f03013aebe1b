#pragma once
// The reader's page preprocessor: every "[={Name}]" in a page marked for it is replaced by
// the value of the variable Name. A name nobody knows is left as it stands.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace nbx::reader {

// Answers the value of a name, or nothing when the name is unknown.
using VariableLookup = std::function<std::optional<std::string>(std::string_view name)>;

// One pass over the page; values are not scanned again, so a value holding "[={x}]" is
// shown as it is and a page cannot make the preprocessor loop.
std::string PreprocessPage(std::string_view page, const VariableLookup& lookup);

}  // namespace nbx::reader
