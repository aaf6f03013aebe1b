#pragma once
// One row of an e-book's variables table: a variable as the build resolved it.

#include <cstdint>
#include <string>

#include "format/RecordFormat.h"

namespace nbx {

struct ArchiveVariable {
    std::string name;
    std::string description;  // the rebrand description; empty when not rebrandable
    std::string value;        // resolved: include files read, text converted
    std::int32_t canRebrand = 0;
    std::int32_t kind = 0;

    bool operator==(const ArchiveVariable&) const = default;
};

template <class Variable, class Visitor>
void VisitArchiveVariable(Variable& var, Visitor& v) {
    v.Magic(record::kVariableEntry);
    v.Item("name", var.name);
    v.Item("description", var.description);
    v.Item("value", var.value);
    v.Item("canRebrand", var.canRebrand);
    v.Item("kind", var.kind);
}

// The smallest stored variable: the mark, three strings' lengths and two words.
inline constexpr std::uint64_t kMinArchiveVariableBytes = 4 * 6;

}  // namespace nbx
