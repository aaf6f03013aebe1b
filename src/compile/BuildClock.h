#pragma once
// The time a build records. Normally the clock; with SOURCE_DATE_EPOCH set (the
// reproducible-builds convention) that value, so that two builds of the same project and
// program files give the same bytes. The calendar fields of the settings record are then
// taken in UTC, which every machine agrees on.

#include <cstdint>
#include <optional>
#include <string>

#include "compile/ErrorReport.h"
#include "platform/Clock.h"

namespace nbx {

inline constexpr const char* kSourceDateEpoch = "SOURCE_DATE_EPOCH";

struct SourceDateEpoch {
    bool ok = true;                       // false: set, but not a time a book can carry
    std::optional<std::int64_t> seconds;  // set and valid
    std::string text;                     // what it was set to
};

// SOURCE_DATE_EPOCH as found in the environment: unset or empty means none; a value must be
// whole seconds since 1970 from 0 to 4294967295 (what the trailer's word holds).
SourceDateEpoch ReadSourceDateEpoch();
SourceDateEpoch ParseSourceDateEpoch(const char* value);

// The build time for a command: SOURCE_DATE_EPOCH when it is valid, else now.
std::int64_t BuildTimeNow();

// The calendar fields the settings record carries for a build time: UTC under
// SOURCE_DATE_EPOCH, local time otherwise.
platform::LocalTime BuildCalendarTime(std::int64_t buildTime);

// Reports a SOURCE_DATE_EPOCH that is set but not valid, before a command builds anything.
// False after the report.
bool CheckBuildClock(BuildUi& ui);

}  // namespace nbx
