#pragma once
// The outcome of a dialog's OK checks: the first failure's message and the field that gets
// the focus, or nothing when every check passed.

#include <optional>
#include <string>

namespace nbx {

template <typename Field>
struct FieldFailure {
    std::string message;
    Field field;
};

template <typename Field>
using CheckResult = std::optional<FieldFailure<Field>>;

}  // namespace nbx
