#pragma once
// Asks for the limits of the flight events: the lowest voltage per cell, the
// highest temperature and the highest current (0: find bursts by the flight's
// own level).

#include <optional>

#include "analysis/FlightEvents.h"
#include "base/Translate.h"

class QWidget;

namespace tavix {

inline constexpr const char* kEventLimitsTitle = TAVIX_TR("Event limits");

// The limits the user accepted, or empty when the dialog was cancelled.
std::optional<EventLimits> AskEventLimits(QWidget* parent, const EventLimits& current);

}  // namespace tavix
