// CurveModel's part for the flights laid over the shown record: it hands
// them to its FlightOverlay and keeps their points in step with the window.
#include "plot/CurveModel.h"

#include <algorithm>

namespace tavix {

int CurveModel::AddFlight(const FlightData& flight, double offsetSeconds, std::string legend) {
    const int index = overlay_.Add(flight, offsetSeconds, std::move(legend));
    UpdateFlights();
    FitTimeAxis();
    return index;
}

void CurveModel::RemoveFlight(int index) {
    overlay_.Remove(index);
    UpdateFlights();
    FitTimeAxis();
}

void CurveModel::SetFlightOffset(int index, double offsetSeconds) {
    overlay_.SetOffset(index, offsetSeconds);
    UpdateFlights();
    FitTimeAxis();
}

void CurveModel::ClearFlights() {
    overlay_.Clear();
    UpdateFlights();
    FitTimeAxis();
}

std::vector<LegendEntry> CurveModel::Legend() const {
    std::vector<LegendEntry> entries;
    if (overlay_.Count() == 0) {
        return entries;
    }
    entries.push_back({referenceLegend_, FlightLine::Solid, CurveColour(0, 0)});
    for (int k = 1; k <= overlay_.Count(); ++k) {
        entries.push_back({overlay_.Legend(k), overlay_.Line(k), CurveColour(k, 0)});
    }
    return entries;
}

std::span<const PlotPoint> CurveModel::FlightPoints(int index, int channel) const {
    if (!view_.RecordPresent() || channel < 0 || channel > kPowerCurve) {
        return {};
    }
    // Only the curves the page has controls for: the record's channels, and
    // the power while it is shown.
    const bool drawn =
        channel == kPowerCurve ? PowerShown() && PowerAvailable() : channel < ChannelCount();
    return drawn ? overlay_.VisiblePoints(index, channel) : std::span<const PlotPoint>();
}

std::uint32_t CurveModel::CurveColour(int flight, int channel) const {
    if (overlay_.Count() > 0 && flight >= 0 && flight < FlightCount()) {
        return kFlightColours[flight];
    }
    if (channel == kPowerCurve) {
        return PowerColour();
    }
    return record_.channels[static_cast<std::size_t>(std::clamp(channel, 0, kChannelCount - 1))]
        .colour;
}

AxisRange CurveModel::CurveRange(int curve) const {
    return curve == kPowerCurve ? PowerRange()
                                : DrawnRange(record_, std::clamp(curve, 0, kChannelCount - 1));
}

std::vector<int> CurveModel::DrawnCurves(std::span<const int> chosen) const {
    std::vector<int> curves;
    for (const int curve : chosen) {
        const bool drawn = curve == kPowerCurve ? PowerShown() && PowerAvailable()
                                                : curve >= 0 && curve < ChannelCount();
        if (drawn) {
            curves.push_back(curve);
        }
    }
    return curves;
}

void CurveModel::FitTimeAxis() {
    if (!view_.RecordPresent()) {
        return;
    }
    if (view_.SetAxis(overlay_.StartSample(), std::max(RecordSamples(), overlay_.EndSample()))) {
        cursors_.KeepInside();
        ComputePoints();
        MapWindow();
        BuildTimeLabels();
    }
}

void CurveModel::UpdateFlights() {
    if (view_.RecordPresent()) {
        overlay_.Follow(record_, PowerRange());
        overlay_.ComputeVisible(view_.FirstVisible(),
                                std::min(view_.LastVisible(), view_.SampleCount()),
                                view_.Geometry().plotWidth, view_.Geometry().plotHeight);
    }
    if (pointer_) {
        // The read-out lists the flights now shown.
        readout_.ReadFlights(overlay_, *pointer_);
    }
}

}  // namespace tavix
