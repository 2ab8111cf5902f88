#pragma once
// The flight's events along the top edge of the curves: one coloured bar per
// event over the columns its samples are drawn at (at least kMarkerMinWidth
// wide, so a one-sample event can still be seen and pointed at), and the
// measuring cursors an event places when the pilot chooses it.

#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/FlightEvents.h"

namespace tavix {

class CurveModel;

inline constexpr int kMarkerMinWidth = 4;
inline constexpr int kMarkerHeight = 7;

// COLORREF (0x00BBGGRR) of each kind: red for heat, orange for a low cell,
// purple for a current burst, magenta for lost sync, grey for a missing reading.
std::uint32_t EventColour(EventKind kind);

struct EventMarker {
    int event = 0;  // index into the events
    int left = 0;   // plot columns, left <= right
    int right = 0;
    std::uint32_t colour = 0;
};

// The markers of the events that reach into the visible window, in the
// events' order (later ones drawn over earlier ones).
std::vector<EventMarker> PlaceEventMarkers(const std::vector<FlightEvent>& events,
                                           const CurveModel& model);
// The event whose marker covers column `x` (the one drawn on top); empty
// when none does.
std::optional<int> EventAtColumn(const std::vector<EventMarker>& markers, int x);

// Cursor A on the event's first sample and B where its last sample's time
// ends (the next sample, or the last of the record), so the span between them
// lasts as long as the event.
struct CursorPlaces {
    int a = 0;
    int b = 0;
};
CursorPlaces CursorsAround(const FlightEvent& event, int samples);

}  // namespace tavix
