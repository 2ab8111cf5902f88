#pragma once
// A clock stopped at one moment, 7 March 2014 12:00:00 unless told otherwise.

#include "shell/Clock.h"

namespace tavix::test {

class FixedClock : public Clock {
public:
    std::int64_t Now() const override { return now; }
    LocalTime LocalNow() const override { return local; }

    std::int64_t now = 1394193600;  // 2014-03-07 12:00:00 UTC
    LocalTime local{2014, 3, 7, 12, 0, 0};
};

}  // namespace tavix::test
