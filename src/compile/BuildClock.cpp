#include "compile/BuildClock.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

namespace nbx {

namespace {
constexpr std::int64_t kLatest = 0xFFFFFFFF;
}

SourceDateEpoch ParseSourceDateEpoch(const char* value) {
    SourceDateEpoch epoch;
    if (!value || !*value) {
        return epoch;
    }
    epoch.text = value;
    std::int64_t seconds = 0;
    const char* end = value + std::strlen(value);
    const auto [at, ec] = std::from_chars(value, end, seconds);
    if (ec != std::errc() || at != end || seconds < 0 || seconds > kLatest) {
        epoch.ok = false;
        return epoch;
    }
    epoch.seconds = seconds;
    return epoch;
}

SourceDateEpoch ReadSourceDateEpoch() {
    return ParseSourceDateEpoch(std::getenv(kSourceDateEpoch));
}

std::int64_t BuildTimeNow() {
    return ReadSourceDateEpoch().seconds.value_or(platform::SecondsSince1970());
}

platform::LocalTime BuildCalendarTime(std::int64_t buildTime) {
    return ReadSourceDateEpoch().seconds ? platform::UtcTimeAt(buildTime)
                                         : platform::LocalTimeAt(buildTime);
}

bool CheckBuildClock(BuildUi& ui) {
    const SourceDateEpoch epoch = ReadSourceDateEpoch();
    if (epoch.ok) {
        return true;
    }
    ReportBuildError(ui, "SOURCE_DATE_EPOCH is not a build time.",
                     std::string("SOURCE_DATE_EPOCH is set to '") + epoch.text +
                         "'. Set it to the build time as whole seconds since 1 January 1970 "
                         "(UTC), from 0 to 4294967295, or unset it to date the E-Book by the "
                         "clock.");
    return false;
}

}  // namespace nbx
