// CurveModel's part for the flights laid over the shown record: it hands
// them to its FlightOverlay and keeps their points in step with the window.
#include "plot/CurveModel.h"

namespace tavix {

int CurveModel::AddFlight(const FlightData& flight, double offsetSeconds, std::string legend) {
    const int index = overlay_.Add(flight, offsetSeconds, std::move(legend));
    UpdateFlights();
    return index;
}

void CurveModel::RemoveFlight(int index) {
    overlay_.Remove(index);
    UpdateFlights();
}

void CurveModel::SetFlightOffset(int index, double offsetSeconds) {
    overlay_.SetOffset(index, offsetSeconds);
    UpdateFlights();
}

void CurveModel::ClearFlights() {
    overlay_.Clear();
    UpdateFlights();
}

std::vector<LegendEntry> CurveModel::Legend() const {
    std::vector<LegendEntry> entries;
    if (overlay_.Count() == 0) {
        return entries;
    }
    entries.push_back({referenceLegend_, FlightLine::Solid});
    for (int k = 1; k <= overlay_.Count(); ++k) {
        entries.push_back({overlay_.Legend(k), overlay_.Line(k)});
    }
    return entries;
}

std::span<const PlotPoint> CurveModel::FlightPoints(int index, int channel) const {
    if (!RecordPresent() || channel < 0 || channel > kPowerCurve) {
        return {};
    }
    // Only the curves the page has controls for: the record's channels, and
    // the power while it is shown.
    const bool drawn =
        channel == kPowerCurve ? PowerShown() && PowerAvailable() : channel < ChannelCount();
    return drawn ? overlay_.VisiblePoints(index, channel) : std::span<const PlotPoint>();
}

void CurveModel::UpdateFlights() {
    if (RecordPresent()) {
        overlay_.Follow(record_, PowerRange());
        overlay_.ComputeVisible(FirstVisible(), std::min(LastVisible(), SampleCount()),
                                Geometry().plotWidth, Geometry().plotHeight);
    }
    if (pointer_) {
        // The read-out lists the flights now shown.
        readout_.ReadFlights(overlay_, *pointer_);
    }
}

}  // namespace tavix
