#pragma once
// Wall-clock time: time stamps of records and the local date in record file names.

#include <cstdint>

namespace tavix {

struct LocalTime {
    int year = 1970;
    int month = 1;  // 1-12
    int day = 1;    // 1-31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since 1970-01-01 00:00 UTC.
    virtual std::int64_t Now() const = 0;
    virtual LocalTime LocalNow() const = 0;
};

// The real clock, from the C library (no Qt needed).
class SystemClock : public Clock {
public:
    std::int64_t Now() const override;
    LocalTime LocalNow() const override;
};

}  // namespace tavix
