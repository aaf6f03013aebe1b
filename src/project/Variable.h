#pragma once
#include <cstdint>
#include <string>

namespace nbx {

// The six kinds of variable. Kinds travel as plain 32-bit numbers (a project file may hold
// any number), so every test below accepts any value.
enum VariableKind : std::int32_t {
    kHtmlFragment = 0,
    kTextToHtml = 1,
    kLongHtmlFragment = 2,
    kLongTextToHtml = 3,
    kIncludeHtml = 4,
    kIncludeTextToHtml = 5,
};
inline constexpr std::int32_t kVariableKindCount = 6;

// Kinds 0 to 3, whose values are typed in and may be changed by a reseller.
inline bool IsRebrandableKind(std::int32_t kind) {
    return kind >= kHtmlFragment && kind <= kLongTextToHtml;
}
// Kinds 4 and 5, whose value is the path of a file read at build time.
inline bool IsIncludeKind(std::int32_t kind) {
    return kind == kIncludeHtml || kind == kIncludeTextToHtml;
}

// One named value that the reader substitutes into pages. `value` is the literal value, or
// for the include kinds the path of the file read at build time.
struct Variable {
    std::string name;
    std::string description;
    std::string value;
    std::string orderKey;  // eight digits or empty; never stored in the project file
    std::int32_t canRebrand = 1;
    std::int32_t kind = 0;  // a VariableKind

    bool operator==(const Variable&) const = default;
};

}  // namespace nbx
