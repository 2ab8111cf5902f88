#include "analysis/FlightCompare.h"

#include <algorithm>
#include <cmath>

#include "analysis/AnalysisMessages.h"
#include "analysis/FlightQuantities.h"

namespace tavix {

namespace {

// A throttle read through single precision may land a hair below the level
// the pilot means ("reaches 20 %" at 19.9999995).
constexpr double kThrottleTolerance = 1e-4;

double SecondsOf(const SpanIndex& index, int sample) {
    return index.Rate() > 0 ? static_cast<double>(sample) / index.Rate() : 0.0;
}

int FirstThrottleAt(const SpanIndex& index, double percent) {
    const std::vector<float>& throttle = index.Values(kThrottle);
    const int samples = std::min<int>(index.Samples(), static_cast<int>(throttle.size()));
    for (int j = 0; j < samples; ++j) {
        if (static_cast<double>(throttle[j]) >= percent - kThrottleTolerance) {
            return j;
        }
    }
    return -1;
}

std::optional<double> Highest(const QuantitySpan& span) {
    if (!span.present || span.valid == 0) {
        return std::nullopt;
    }
    return span.max;
}

std::optional<double> Lowest(const QuantitySpan& span) {
    if (!span.present || span.valid == 0) {
        return std::nullopt;
    }
    return span.min;
}

FigureValues FiguresOf(const SpanIndex& index, const SpanStatistics& span) {
    const FlightQuantities q = ComputeQuantities(index, span);
    FigureValues v;
    At(v, Figure::Duration) = q.seconds;
    At(v, Figure::Capacity) = q.capacityMah;
    At(v, Figure::Energy) = q.energyWh;
    At(v, Figure::AverageCurrent) = q.averageCurrent;
    At(v, Figure::MaxCurrent) = Highest(span.quantities[kCurrent]);
    if (q.hasPower) {
        At(v, Figure::MaxPower) = q.maxPower;
    }
    At(v, Figure::MinVoltage) = Lowest(span.quantities[kVoltage]);
    At(v, Figure::MinCellVoltage) = q.minCellVoltage;
    At(v, Figure::MaxTemperature) = Highest(span.quantities[kTemperature]);
    At(v, Figure::MaxRpm) = Highest(span.quantities[kMotorRpm]);
    return v;
}

// The value of the setting `name` of `values`, or "" when it has none.
std::string ValueOf(const std::vector<NamedValue>& values, const std::string& name) {
    for (const NamedValue& value : values) {
        if (SameName(value.name, name)) {
            return value.value;
        }
    }
    return std::string();
}

}  // namespace

const FigureInfo& InfoOf(Figure figure) {
    static const std::array<FigureInfo, kFigureCount> kInfo{{
        {kFigureDuration, "s", 2, 3},
        {kCaptionCapacity, "mAh", 0, 1},
        {kCaptionEnergy, "Wh", 2, 3},
        {kCaptionAverageCurrent, "A", 1, 2},
        {kFigureMaxCurrent, "A", 1, 2},
        {kQuantityMaxPower, "W", 1, 1},
        {kFigureMinVoltage, "V", 2, 2},
        {kCaptionMinCellVoltage, "V", 2, 3},
        {kFigureMaxTemperature, "C", 1, 1},
        {kFigureMaxRpm, "", 0, 1},
    }};
    return kInfo[static_cast<std::size_t>(figure)];
}

std::vector<FlightAlignment> AlignFlights(const std::vector<ComparedFlight>& flights,
                                          const AlignRequest& request) {
    std::vector<FlightAlignment> out(flights.size());
    for (std::size_t i = 0; i < flights.size(); ++i) {
        const SpanIndex& index = *flights[i].index;
        FlightAlignment& a = out[i];
        switch (request.mode) {
            case AlignMode::Start:
                break;
            case AlignMode::Throttle: {
                const int sample = FirstThrottleAt(index, request.throttlePercent);
                a.found = sample >= 0;
                a.sample = std::max(sample, 0);
                break;
            }
            case AlignMode::CursorA:
                if (i < request.cursorSamples.size() && index.Samples() > 0) {
                    a.sample = std::clamp(request.cursorSamples[i], 0, index.Samples() - 1);
                }
                break;
        }
        a.seconds = SecondsOf(index, a.sample);
    }
    for (FlightAlignment& a : out) {
        a.offsetSeconds = out.front().seconds - a.seconds;
    }
    return out;
}

FigureValues WholeFigures(const SpanIndex& index) {
    if (index.Samples() <= 0) {
        return {};
    }
    return FiguresOf(index, index.Whole());
}

FigureValues SpanFigures(const SpanIndex& index, double fromSeconds, double toSeconds) {
    const int rate = index.Rate();
    const int samples = index.Samples();
    if (rate <= 0 || samples <= 0 || !std::isfinite(fromSeconds) || !std::isfinite(toSeconds)) {
        return {};
    }
    const double from = std::min(fromSeconds, toSeconds);
    const double to = std::max(fromSeconds, toSeconds);
    // The flight's samples are held from 0 until samples / rate; a span that
    // ends before it starts or starts after it ends measures nothing of it.
    if (to < 0.0 || from >= static_cast<double>(samples) / rate) {
        return {};
    }
    auto sampleAt = [&](double seconds) {
        return static_cast<int>(std::clamp(std::round(seconds * rate), 0.0, samples - 1.0));
    };
    return FiguresOf(index, index.Span(sampleAt(from), sampleAt(to)));
}

FigureDifference DifferenceOf(const std::optional<double>& value,
                              const std::optional<double>& reference) {
    FigureDifference d;
    if (!value || !reference) {
        return d;
    }
    d.absolute = *value - *reference;
    if (*reference != 0.0) {
        d.percent = *d.absolute / std::fabs(*reference) * 100.0;
    }
    return d;
}

bool SettingsComparison::Comparable() const {
    return stored.size() >= 2 && stored.front() &&
           std::find(stored.begin() + 1, stored.end(), true) != stored.end();
}

SettingsComparison CompareSettings(const std::vector<ComparedFlight>& flights) {
    SettingsComparison out;
    out.stored.assign(flights.size(), false);
    std::vector<std::vector<NamedValue>> values(flights.size());
    for (std::size_t i = 0; i < flights.size(); ++i) {
        if (flights[i].settings) {
            out.stored[i] = true;
            values[i] = *flights[i].settings;
        }
    }
    if (!out.Comparable()) {
        return out;
    }
    // The names that differ between the reference and any flight.
    std::vector<std::string> differing;
    auto contains = [](const std::vector<std::string>& names, const std::string& name) {
        return std::any_of(names.begin(), names.end(),
                           [&](const std::string& n) { return SameName(n, name); });
    };
    for (std::size_t i = 1; i < flights.size(); ++i) {
        if (out.stored[i]) {
            for (const ValueDiff& line : DiffValues(values.front(), values[i])) {
                if (line.differs && !contains(differing, line.name)) {
                    differing.push_back(line.name);
                }
            }
        }
    }
    // In the reference's page order, then those only other series have.
    std::vector<std::string> names;
    for (const NamedValue& value : values.front()) {
        if (contains(differing, value.name)) {
            names.push_back(value.name);
        }
    }
    for (const std::string& name : differing) {
        if (!contains(names, name)) {
            names.push_back(name);
        }
    }
    for (const std::string& name : names) {
        SettingsComparison::Line line{name, {}};
        for (std::size_t i = 0; i < flights.size(); ++i) {
            line.values.push_back(ValueOf(values[i], name));
        }
        out.lines.push_back(std::move(line));
    }
    return out;
}

std::vector<FigureValues> CompareSpan(const std::vector<ComparedFlight>& flights,
                                      const std::vector<FlightAlignment>& alignment,
                                      const SpanRequest& span) {
    std::vector<FigureValues> out;
    out.reserve(flights.size());
    for (std::size_t i = 0; i < flights.size(); ++i) {
        const double offset = i < alignment.size() ? alignment[i].offsetSeconds : 0.0;
        out.push_back(
            SpanFigures(*flights[i].index, span.fromSeconds - offset, span.toSeconds - offset));
    }
    return out;
}

FlightComparison CompareFlights(const std::vector<ComparedFlight>& flights,
                                const AlignRequest& request,
                                const std::optional<SpanRequest>& span) {
    FlightComparison out;
    out.alignment = AlignFlights(flights, request);
    out.figures.reserve(flights.size());
    for (const ComparedFlight& flight : flights) {
        out.figures.push_back(WholeFigures(*flight.index));
    }
    if (span) {
        out.spanFigures = CompareSpan(flights, out.alignment, *span);
    }
    out.settings = CompareSettings(flights);
    return out;
}

}  // namespace tavix
