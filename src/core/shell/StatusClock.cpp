#include "shell/StatusClock.h"

#include <ctime>

#include "shell/ShellMessages.h"

namespace tavix {

std::string FormatClock(const LocalTime& time) {
    std::tm tm{};
    tm.tm_year = time.year - 1900;
    tm.tm_mon = time.month - 1;
    tm.tm_mday = time.day;
    tm.tm_hour = time.hour;
    tm.tm_min = time.minute;
    tm.tm_sec = time.second;
    char text[32];
    const std::size_t n = std::strftime(text, sizeof text, kClockFormat, &tm);
    return std::string(text, n);
}

}  // namespace tavix
