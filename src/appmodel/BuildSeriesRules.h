#pragma once
// The Build Series dialog's OK checks: each number typed within its range, then the series
// range itself. Failures return the focus to the field at fault.

#include <cstdint>
#include <string>

#include "appmodel/FieldFailure.h"
#include "compile/SeriesTexts.h"

namespace nbx {

enum class SeriesField { First, Last };

struct SeriesNumbers {
    std::int64_t first = 0;
    std::int64_t last = 0;
};

// "Please enter an integer between 0 and 999999." for a First Value that is not a whole
// number in its range (the same for Last Value, from 1); then the series range checks, both
// on First Value. On success numbers receives the two values.
CheckResult<SeriesField> CheckSeriesNumbers(const std::string& first, const std::string& last,
                                            SeriesNumbers& numbers);

}  // namespace nbx
