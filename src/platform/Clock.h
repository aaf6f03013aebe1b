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

// Milliseconds from an arbitrary fixed point; only differences mean anything.
std::uint64_t TickCountMs();

void SleepMs(unsigned milliseconds);

}  // namespace nbx::platform
