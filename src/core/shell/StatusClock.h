#pragma once
// The clock pane of the status bar: local time as "%H:%M:%S", refreshed every second.

#include <string>

#include "shell/Clock.h"

namespace tavix {

inline constexpr int kClockPeriodMs = 1000;

std::string FormatClock(const LocalTime& time);

}  // namespace tavix
