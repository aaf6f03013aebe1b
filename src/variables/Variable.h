#pragma once
#include <cstdint>
#include <string>

namespace nbx {

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
