#include "analysis/FlightEvents.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "analysis/AnalysisMessages.h"
#include "analysis/FlightQuantities.h"
#include "base/FormatText.h"
#include "base/OutsideText.h"
#include "base/Translate.h"
#include "flight/Conversion.h"

namespace tavix {

namespace {

// Limits are compared at a fixed step (a millivolt, a hundredth of a degree
// or an ampere, a hundredth of a percent), so a value that single precision holds a hair off its
// limit still counts as meeting it.
long long Steps(double value, double step) {
    return std::llround(std::clamp(value / step, -1.0e15, 1.0e15));
}
bool Below(double value, double limit, double step) {
    return Steps(value, step) < Steps(limit, step);
}
bool Above(double value, double limit, double step) {
    return Steps(value, step) > Steps(limit, step);
}

struct Run {
    int first = 0;
    int last = 0;
};

// Stretches of consecutive samples for which `hit` holds.
template <typename Hit>
std::vector<Run> Runs(int samples, Hit hit) {
    std::vector<Run> runs;
    for (int j = 0; j < samples; ++j) {
        if (!hit(j)) {
            continue;
        }
        if (!runs.empty() && runs.back().last == j - 1) {
            runs.back().last = j;
        } else {
            runs.push_back({j, j});
        }
    }
    return runs;
}

// One stretch of a rule broken by a sample or two that miss it is one event:
// two runs merge when the gap between them is shorter than the shorter of
// the two (a burst from 25.0 s to 25.8 s that dips under the limit at
// 25.4 s is one burst, not two). `join` combines what a caller measured of
// two merged items.
template <typename Item, typename RunOf, typename Join>
std::vector<Item> MergeClose(std::vector<Item> items, RunOf runOf, Join join) {
    std::vector<Item> out;
    for (Item& item : items) {
        if (!out.empty()) {
            Run& last = runOf(out.back());
            const Run& next = runOf(item);
            const int gap = next.first - last.last - 1;
            const int shorter = std::min(last.last - last.first + 1, next.last - next.first + 1);
            if (gap < shorter) {
                join(out.back(), item);
                last.last = std::max(last.last, next.last);
                continue;
            }
        }
        out.push_back(std::move(item));
    }
    return out;
}

std::vector<Run> MergeClose(std::vector<Run> runs) {
    return MergeClose(
        std::move(runs), [](Run& r) -> Run& { return r; }, [](Run&, const Run&) {});
}

// Stretches of samples for which `hit` holds, the close ones merged.
template <typename Hit>
std::vector<Run> Events(int samples, Hit hit) {
    return MergeClose(Runs(samples, hit));
}

class Finder {
public:
    Finder(const EventInput& input, const EventLimits& limits)
        : in_(input), limits_(limits), rate_(input.rate > 0 ? input.rate : 1) {}

    std::vector<FlightEvent> Find() {
        LowCell();
        OverTemp();
        CurrentSpike();
        RpmDrop();
        NoReading(in_.rawTemperature, false, kReadingTemperature);
        NoReading(in_.rawRpm, true, kReadingRpm);
        std::stable_sort(events_.begin(), events_.end(),
                         [](const FlightEvent& a, const FlightEvent& b) {
                             return a.first != b.first ? a.first < b.first : a.kind < b.kind;
                         });
        return std::move(events_);
    }

private:
    bool Has(std::span<const float> series) const {
        return static_cast<int>(series.size()) >= in_.samples && in_.samples > 0;
    }
    bool Has(std::span<const std::int32_t> series) const {
        return static_cast<int>(series.size()) >= in_.samples && in_.samples > 0;
    }

    void Add(EventKind kind, Run run, double value, MessageParts message) {
        FlightEvent e;
        e.kind = kind;
        e.first = run.first;
        e.last = run.last;
        e.time = static_cast<double>(run.first) / rate_;
        e.duration = static_cast<double>(run.last - run.first + 1) / rate_;
        e.value = value;
        e.message = std::move(message);
        events_.push_back(std::move(e));
    }

    // The lowest or highest finite value of a run.
    static double Worst(std::span<const float> series, Run run, bool highest) {
        double worst = series[run.first];
        for (int j = run.first; j <= run.last; ++j) {
            worst =
                highest ? std::max<double>(worst, series[j]) : std::min<double>(worst, series[j]);
        }
        return worst;
    }

    void LowCell() {
        if (!Has(in_.voltage) || in_.cells <= 0) {
            return;
        }
        const double cells = in_.cells;
        auto perCell = [&](int j) { return static_cast<double>(in_.voltage[j]) / cells; };
        for (const Run& run : Events(in_.samples, [&](int j) {
                 return std::isfinite(perCell(j)) && Below(perCell(j), limits_.cellMin, 0.001);
             })) {
            const double worst = Worst(in_.voltage, run, false) / cells;
            Add(EventKind::LowCell, run, worst,
                MessageParts(kTextLowCell,
                             {PointNumber(worst, 2), PointNumber(limits_.cellMin, 2)}));
        }
    }

    void OverTemp() {
        if (!Has(in_.temperature)) {
            return;
        }
        for (const Run& run : Events(in_.samples, [&](int j) {
                 return std::isfinite(in_.temperature[j]) &&
                        Above(in_.temperature[j], limits_.tempMax, 0.01);
             })) {
            const double worst = Worst(in_.temperature, run, true);
            Add(EventKind::OverTemp, run, worst,
                MessageParts(kTextOverTemp,
                             {PointNumber(worst, 1), PointNumber(limits_.tempMax, 1)}));
        }
    }

    void CurrentSpike() {
        if (!Has(in_.current)) {
            return;
        }
        const std::span<const float> current = in_.current.first(in_.samples);
        if (limits_.currentMax > 0.0) {
            for (const Run& run : Events(in_.samples, [&](int j) {
                     return std::isfinite(current[j]) &&
                            Above(current[j], limits_.currentMax, 0.01);
                 })) {
                const double worst = Worst(current, run, true);
                Add(EventKind::CurrentSpike, run, worst,
                    MessageParts(kTextCurrentLimit,
                                 {PointNumber(worst, 1), PointNumber(limits_.currentMax, 1)}));
            }
            return;
        }
        std::vector<float> sorted;
        sorted.reserve(current.size());
        for (float a : current) {
            if (std::isfinite(a)) {
                sorted.push_back(a);
            }
        }
        if (sorted.empty()) {
            return;
        }
        const auto at = static_cast<std::size_t>(kSpikePercentile * (sorted.size() - 1));
        std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(at),
                         sorted.end());
        const double typical = sorted[at];
        if (typical < kSpikeMinTypical) {
            return;
        }
        const double threshold = kSpikeFactor * typical;
        const int longest = std::max(1, static_cast<int>(std::floor(kSpikeMaxSeconds * rate_)));
        for (const Run& run : Events(in_.samples, [&](int j) {
                 return std::isfinite(current[j]) && current[j] > threshold;
             })) {
            if (run.last - run.first + 1 > longest) {
                continue;
            }
            const double worst = Worst(current, run, true);
            Add(EventKind::CurrentSpike, run, worst,
                MessageParts(kTextCurrentBurst, {PointNumber(worst, 1), PointNumber(typical, 1)}));
        }
    }

    bool RpmRead(int j) const {
        const float rpm = in_.rpm[j];
        const bool read = !Has(in_.rawRpm) || in_.rawRpm[j] != 0;
        return read && std::isfinite(rpm) && rpm > 0.0f;
    }

    void RpmDrop() {
        if (!Has(in_.rpm) || !Has(in_.throttle)) {
            return;
        }
        const int window = std::max(1, static_cast<int>(std::lround(kRpmDropSeconds * rate_)));
        const std::span<const float> rpm = in_.rpm;
        const std::span<const float> throttle = in_.throttle;
        struct Drop {
            Run run;
            double fall = 0.0;
        };
        std::vector<Drop> drops;
        bool open = false;
        Run run;
        double fall = 0.0;
        auto close = [&] {
            if (open) {
                drops.push_back({run, fall});
            }
            open = false;
        };
        for (int j = 1; j < in_.samples; ++j) {
            if (!(throttle[j] > kRpmDropThrottle) || !RpmRead(j)) {
                continue;
            }
            int start = -1;
            double worst = 0.0;
            for (int i = std::max(0, j - window); i < j; ++i) {
                if (!(throttle[i] > kRpmDropThrottle) ||
                    throttle[j] < throttle[i] - kRpmDropThrottleSlack || !RpmRead(i)) {
                    continue;
                }
                const double fallen = 100.0 * (1.0 - static_cast<double>(rpm[j]) / rpm[i]);
                if (Above(fallen, 100.0 * kRpmDropShare, 0.01)) {
                    if (start < 0) {
                        start = i;
                    }
                    worst = std::max(worst, fallen);
                }
            }
            if (start < 0) {
                continue;
            }
            if (open && start <= run.last + 1) {
                run.last = j;
                fall = std::max(fall, worst);
            } else {
                close();
                open = true;
                run = {start, j};
                fall = worst;
            }
        }
        close();
        drops = MergeClose(
            std::move(drops), [](Drop& d) -> Run& { return d.run; },
            [](Drop& into, const Drop& d) { into.fall = std::max(into.fall, d.fall); });
        for (const Drop& d : drops) {
            Add(EventKind::RpmDrop, d.run, d.fall,
                MessageParts(kTextRpmDrop, {PointNumber(d.fall, 0)}));
        }
    }

    void NoReading(std::span<const std::int32_t> raw, bool motor, const char* what) {
        if (!Has(raw)) {
            return;
        }
        int firstReading = 0;
        while (firstReading < in_.samples && raw[firstReading] == 0) {
            ++firstReading;
        }
        const bool throttleKnown = motor && Has(in_.throttle);
        for (const Run& run : Events(in_.samples, [&](int j) {
                 return j > firstReading && raw[j] == 0 &&
                        !(throttleKnown && in_.throttle[j] < kMotorOffThrottle);
             })) {
            int missing = 0;  // the readings between merged gaps are not missing
            for (int j = run.first; j <= run.last; ++j) {
                missing += raw[j] == 0 ? 1 : 0;
            }
            Add(EventKind::NoReading, run, missing,
                MessageParts(kTextNoReading,
                             {what, PointNumber(static_cast<double>(missing) / rate_, 1)}));
        }
    }

    const EventInput& in_;
    const EventLimits& limits_;
    const int rate_;
    std::vector<FlightEvent> events_;
};

}  // namespace

const char* EventKindName(EventKind kind) {
    switch (kind) {
        case EventKind::LowCell:
            return TAVIX_TR("low-cell");
        case EventKind::OverTemp:
            return TAVIX_TR("over-temp");
        case EventKind::CurrentSpike:
            return TAVIX_TR("current-spike");
        case EventKind::RpmDrop:
            return TAVIX_TR("rpm-drop");
        case EventKind::NoReading:
            return TAVIX_TR("no-reading");
    }
    return "";
}

std::vector<FlightEvent> FindEvents(const EventInput& input, const EventLimits& limits) {
    return Finder(input, limits).Find();
}

std::vector<FlightEvent> FindEvents(const FlightRecord& record, const SpanIndex& index,
                                    const EventLimits& limits) {
    EventInput in;
    in.samples = index.Samples();
    in.rate = index.Rate();
    in.cells = ComputeQuantities(index).cells;
    auto values = [&](int channel) {
        return index.HasQuantity(channel) ? std::span<const float>(index.Values(channel))
                                          : std::span<const float>();
    };
    auto raw = [&](int channel) {
        return ChannelsOf(record) > channel
                   ? std::span<const std::int32_t>(record.raw[channel].data(),
                                                   static_cast<std::size_t>(in.samples))
                   : std::span<const std::int32_t>();
    };
    in.voltage = values(kVoltage);
    in.current = values(kCurrent);
    in.throttle = values(kThrottle);
    in.temperature = values(kTemperature);
    in.rpm = values(kMotorRpm);
    in.rawTemperature = raw(kTemperature);
    in.rawRpm = raw(kMotorRpm);
    return FindEvents(in, limits);
}

std::string PointNumber(double value, int decimals) {
    if (!std::isfinite(value)) {
        return std::string(kNoValue);
    }
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string();
}

std::string EventsCsv(const std::vector<FlightEvent>& events) {
    std::string out = std::string(kEventsCsvHeader) + "\r\n";
    for (const FlightEvent& e : events) {
        out += PointNumber(e.time, 3) + ',' + PointNumber(e.duration, 3) + ',' +
               EventKindName(e.kind) + ',' + PointNumber(e.value, 3) + ',' +
               CsvTextCell(e.message.Text()) + "\r\n";
    }
    return out;
}

}  // namespace tavix
