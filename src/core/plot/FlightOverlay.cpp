#include "plot/FlightOverlay.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavix {

namespace {

constexpr int kTracesPerFlight = kChannelCount + 1;  // the channels, then the power
constexpr int kPowerIndex = kChannelCount;
// How near a plot position counts as the whole sample, in samples.
constexpr double kWholeSample = 1e-6;

}  // namespace

FlightPlacement PlaceFlight(int referenceRate, int flightRate, double offsetSeconds) {
    const double reference = referenceRate > 0 ? referenceRate : 1.0;
    const double own = flightRate > 0 ? flightRate : 1.0;
    // An offset that is no number (a failed alignment) leaves the flight at
    // the reference's start rather than nowhere.
    return {std::isfinite(offsetSeconds) ? offsetSeconds * reference : 0.0, reference / own};
}

struct FlightOverlay::Added {
    const FlightData* flight = nullptr;  // its owner's, converted
    double offsetSeconds = 0.0;
    std::string legend;
    FlightLine line = FlightLine::Dashed;
    TraceStore store;  // kTracesPerFlight traces
    std::array<std::vector<PlotPoint>, kTracesPerFlight> points;
};

FlightOverlay::FlightOverlay() = default;

FlightOverlay::~FlightOverlay() = default;

FlightOverlay::Added& FlightOverlay::At(int index) {
    return *flights_[static_cast<std::size_t>(index - 1)];
}

const FlightOverlay::Added& FlightOverlay::At(int index) const {
    return *flights_[static_cast<std::size_t>(index - 1)];
}

int FlightOverlay::Add(const FlightData& flight, double offsetSeconds, std::string legend) {
    if (Count() >= kMaxComparedFlights - 1) {
        return -1;
    }
    auto added = std::make_unique<Added>();
    added->flight = &flight;
    added->offsetSeconds = offsetSeconds;
    added->legend = std::move(legend);
    // The first line no shown flight is drawn with.
    for (const FlightLine line : {FlightLine::Dashed, FlightLine::Dotted, FlightLine::DashDot}) {
        if (std::none_of(flights_.begin(), flights_.end(),
                         [line](const auto& f) { return f->line == line; })) {
            added->line = line;
            break;
        }
    }
    for (int i = 0; i < kTracesPerFlight; ++i) {
        PlotTrace trace{.flight = &flight, .channel = i};
        if (i == kPowerIndex) {
            trace.quantity = TraceQuantity::Power;
            trace.channel = 0;
        }
        added->store.Add(trace);
    }
    Place(*added);
    flights_.push_back(std::move(added));
    return Count();
}

void FlightOverlay::Remove(int index) {
    if (index < 1 || index > Count()) {
        return;
    }
    flights_.erase(flights_.begin() + (index - 1));
}

void FlightOverlay::SetOffset(int index, double offsetSeconds) {
    if (index < 1 || index > Count()) {
        return;
    }
    At(index).offsetSeconds = offsetSeconds;
    Place(At(index));
}

void FlightOverlay::Clear() {
    flights_.clear();
}

int FlightOverlay::EndSample() const {
    double end = 0.0;
    for (const auto& added : flights_) {
        const int samples = SamplesOf(added->flight->record);
        if (samples < 1) {
            continue;
        }
        // The last sample stands on the plot's last sample or left of it.
        const PlotTrace& trace = added->store.At(0);
        end = std::max(end,
                       std::ceil(trace.offset + (samples - 1) * trace.scale - kWholeSample) + 1.0);
    }
    return static_cast<int>(std::min(end, double{std::numeric_limits<int>::max() / 2}));
}

int FlightOverlay::StartSample() const {
    double start = 0.0;
    for (const auto& added : flights_) {
        if (SamplesOf(added->flight->record) >= 1) {
            // The first sample stands on the axis's first sample or right of
            // it; an offset a rounding away from a whole sample (2.4 s - 5.2 s
            // at 5 a second is -14.000000000000002) stands on that sample.
            start = std::min(start, std::floor(added->store.At(0).offset + kWholeSample));
        }
    }
    return static_cast<int>(std::max(start, double{std::numeric_limits<int>::min() / 2}));
}

double FlightOverlay::OffsetSeconds(int index) const {
    return At(index).offsetSeconds;
}

FlightLine FlightOverlay::Line(int index) const {
    return At(index).line;
}

const std::string& FlightOverlay::Legend(int index) const {
    return At(index).legend;
}

const FlightData& FlightOverlay::Flight(int index) const {
    return *At(index).flight;
}

const PlotTrace& FlightOverlay::Trace(int index, int channel) const {
    return At(index).store.At(channel);
}

const TraceStore& FlightOverlay::Store(int index) const {
    return At(index).store;
}

void FlightOverlay::Place(Added& added) {
    const FlightPlacement at =
        PlaceFlight(referenceRate_, added.flight->record.header.rate, added.offsetSeconds);
    for (int i = 0; i < kTracesPerFlight; ++i) {
        PlotTrace& trace = added.store.At(i);
        trace.offset = at.offset;
        trace.scale = at.scale;
        trace.range = i == kPowerIndex ? powerRange_ : ranges_[static_cast<std::size_t>(i)];
    }
}

void FlightOverlay::Follow(const FlightRecord& reference, AxisRange powerRange) {
    referenceRate_ = reference.header.rate;
    for (int i = 0; i < kChannelCount; ++i) {
        ranges_[static_cast<std::size_t>(i)] = DrawnRange(reference, i);
    }
    powerRange_ = powerRange;
    for (const auto& added : flights_) {
        Place(*added);
    }
}

void FlightOverlay::ComputeVisible(int first, int last, int plotWidth, int plotHeight) {
    for (const auto& added : flights_) {
        for (int i = 0; i < kTracesPerFlight; ++i) {
            VisibleTracePoints(added->store.At(i), added->store.Values(i), first, last, plotWidth,
                               plotHeight, added->points[static_cast<std::size_t>(i)]);
        }
    }
}

std::span<const PlotPoint> FlightOverlay::VisiblePoints(int index, int channel) const {
    if (index < 1 || index > Count() || channel < 0 || channel >= kTracesPerFlight) {
        return {};
    }
    return At(index).points[static_cast<std::size_t>(channel)];
}

std::optional<float> FlightOverlay::ValueAt(int index, int channel, float f) const {
    if (index < 1 || index > Count() || channel < 0 || channel >= kTracesPerFlight) {
        return std::nullopt;
    }
    const Added& added = At(index);
    if (!TraceAvailable(added.store.At(channel))) {
        return std::nullopt;
    }
    float value = 0.0f;
    if (channel == kPowerIndex) {
        return added.store.ValueAt(channel, f, value) ? std::optional<float>(value) : std::nullopt;
    }
    // The flight's own fractional sample under the pointer.
    const PlotTrace& trace = added.store.At(channel);
    const double at = (f - trace.offset) / trace.scale;
    const int samples = SamplesOf(added.flight->record);
    if (samples < 1 || at < 0.0 || at > samples - 1) {
        return std::nullopt;
    }
    return ChannelValueAt(*added.flight, channel, samples, static_cast<float>(at));
}

}  // namespace tavix
