#include "appmodel/BuildSeriesRules.h"

#include <optional>

#include "compile/SeriesTexts.h"
#include "platform/AsciiText.h"

namespace nbx {

namespace {

// A whole decimal number with an optional sign, within [min, max].
std::optional<std::int64_t> ParseInRange(std::string_view text, std::int64_t min,
                                         std::int64_t max) {
    text = TrimAsciiWhiteSpace(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > max + 1) {
            return std::nullopt;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

CheckResult<SeriesField> CheckSeriesNumbers(const std::string& first, const std::string& last,
                                            SeriesNumbers& numbers) {
    using Failure = FieldFailure<SeriesField>;
    const auto firstValue = ParseInRange(first, kSeriesFirstMin, kSeriesNumberMax);
    if (!firstValue) {
        return Failure{SeriesNumberRangeMessage(kSeriesFirstMin), SeriesField::First};
    }
    const auto lastValue = ParseInRange(last, kSeriesLastMin, kSeriesNumberMax);
    if (!lastValue) {
        return Failure{SeriesNumberRangeMessage(kSeriesLastMin), SeriesField::Last};
    }
    const std::string range = CheckSeriesRange(*firstValue, *lastValue);
    if (!range.empty()) {
        return Failure{range, SeriesField::First};
    }
    numbers = {*firstValue, *lastValue};
    return std::nullopt;
}

}  // namespace nbx
