#pragma once
#include <cstdint>

namespace nbx::platform {

// Calendar fields of local time, in the ranges people write them (month 1-12).
struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int dayOfWeek = 0;  // 0 = Sunday
};

LocalTime LocalNow();

// The local calendar time of a moment given in seconds since 1970.
LocalTime LocalTimeAt(std::int64_t secondsSince1970);
// The same fields in UTC, the same on every machine.
LocalTime UtcTimeAt(std::int64_t secondsSince1970);

// Seconds since 1970, now.
std::int64_t SecondsSince1970();

// Milliseconds from an arbitrary fixed point; only differences mean anything.
std::uint64_t TickCountMs();

void SleepMs(unsigned milliseconds);

}  // namespace nbx::platform
