#include "plot/EventMarkers.h"

#include <algorithm>

#include "plot/CurveModel.h"

namespace tavix {

std::uint32_t EventColour(EventKind kind) {
    switch (kind) {
        case EventKind::RpmDrop:
            return 0xC000C0;  // magenta
        case EventKind::OverTemp:
            return 0x0000E0;  // red
        case EventKind::LowCell:
            return 0x0080FF;  // orange
        case EventKind::CurrentSpike:
            return 0xA03070;  // purple
        case EventKind::NoReading:
            return 0x808080;  // grey
    }
    return 0;
}

std::vector<EventMarker> PlaceEventMarkers(const std::vector<FlightEvent>& events,
                                           const CurveModel& model) {
    std::vector<EventMarker> markers;
    const int first = model.View().FirstVisible();
    const int end = std::min(model.View().LastVisible(), model.View().SampleCount());  // exclusive
    if (!model.View().RecordPresent() || end <= first) {
        return markers;
    }
    const MeasureCursors& cursors = model.Cursors();
    const int width = model.View().Geometry().plotWidth;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const FlightEvent& e = events[i];
        if (e.last < first || e.first >= end) {
            continue;
        }
        const int left = cursors.PixelOf(std::max(e.first, first)).value_or(0);
        const int right = cursors.PixelOf(std::min(e.last, end - 1)).value_or(left);
        EventMarker m;
        m.event = static_cast<int>(i);
        m.colour = EventColour(e.kind);
        // Centred on a narrow span, kept inside the plot.
        const int grow = std::max(0, kMarkerMinWidth - (right - left + 1));
        m.left = std::clamp(left - grow / 2, 0, std::max(0, width - kMarkerMinWidth + 1));
        m.right = std::max(right + (grow - grow / 2), m.left + kMarkerMinWidth - 1);
        m.right = std::min(m.right, width);
        markers.push_back(m);
    }
    return markers;
}

std::optional<int> EventAtColumn(const std::vector<EventMarker>& markers, int x) {
    for (auto it = markers.rbegin(); it != markers.rend(); ++it) {
        if (x >= it->left && x <= it->right) {
            return it->event;
        }
    }
    return std::nullopt;
}

CursorPlaces CursorsAround(const FlightEvent& event, int samples) {
    const int lastSample = std::max(0, samples - 1);
    return {std::clamp(event.first, 0, lastSample), std::clamp(event.last + 1, 0, lastSample)};
}

}  // namespace tavix
