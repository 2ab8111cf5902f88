#include <ctime>

#include "base/System.h"
#include "shell/Clock.h"

namespace tavix {

std::int64_t SystemClock::Now() const {
    return static_cast<std::int64_t>(std::time(nullptr));
}

LocalTime SystemClock::LocalNow() const {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    ToLocalTime(now, tm);
    return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                     tm.tm_hour,        tm.tm_min,     tm.tm_sec};
}

}  // namespace tavix
