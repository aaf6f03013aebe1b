#include "platform/Clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace nbx::platform {

LocalTime LocalNow() {
    return LocalTimeAt(SecondsSince1970());
}

std::int64_t SecondsSince1970() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

namespace {

LocalTime Fields(const std::tm& tm) {
    LocalTime t;
    t.year = tm.tm_year + 1900;
    t.month = tm.tm_mon + 1;
    t.day = tm.tm_mday;
    t.hour = tm.tm_hour;
    t.minute = tm.tm_min;
    t.second = tm.tm_sec;
    t.dayOfWeek = tm.tm_wday;
    return t;
}

}  // namespace

LocalTime LocalTimeAt(std::int64_t secondsSince1970) {
    const std::time_t when = static_cast<std::time_t>(secondsSince1970);
    std::tm tm{};
    localtime_r(&when, &tm);
    return Fields(tm);
}

LocalTime UtcTimeAt(std::int64_t secondsSince1970) {
    const std::time_t when = static_cast<std::time_t>(secondsSince1970);
    std::tm tm{};
    gmtime_r(&when, &tm);
    return Fields(tm);
}

std::uint64_t TickCountMs() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SleepMs(unsigned milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace nbx::platform
