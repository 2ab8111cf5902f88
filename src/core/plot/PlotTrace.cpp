#include "plot/PlotTrace.h"

#include <algorithm>
#include <cmath>

#include "flight/Conversion.h"

namespace tavix {

namespace {

// A point whose value lies far outside its range (an RPM of "no reading" is
// infinite) is drawn off the plot, this far at most, so the conversion to a
// pixel is always defined and the painter never meets absurd coordinates.
constexpr float kPixelLimit = 1 << 20;

std::int32_t ToPixel(float position) {
    if (std::isnan(position)) {
        return -static_cast<std::int32_t>(kPixelLimit);
    }
    return static_cast<std::int32_t>(std::clamp(position, -kPixelLimit, kPixelLimit));
}

// The value of a smoothed (or interpolated) sample, in single precision and
// the order of operations of the conversion.
float ValueOf(const FlightRecord& record, int channel, float smoothed) {
    if (channel == kMotorRpm) {
        return RpmValue(smoothed, record.header.poles, record.header.gearRate,
                        record.calibration[kMotorRpm].k);
    }
    return smoothed * record.calibration[channel].k + record.calibration[channel].c;
}

}  // namespace

float ChannelValueAt(const FlightData& data, int channel, int samples, float at) {
    const FlightRecord& record = data.record;
    const int j = std::max(0, std::min(static_cast<int>(at), samples - 2));
    const float fraction = at - static_cast<float>(j);
    const std::int32_t* s = data.smoothed[channel].data();
    // Between two samples the value runs straight from one to the next.
    const float slope =
        samples > 1 ? static_cast<float>(s[j + 1]) - static_cast<float>(s[j]) : 0.0f;
    if (channel == kMotorRpm && (s[j] == 0 || (samples > 1 && s[j + 1] == 0))) {
        // Next to a sample without a rotation reading (0 RPM) a period in
        // between would be a fraction of a real one and read as a burst of
        // speed: follow the drawn line from one speed to the other.
        const float from = ValueOf(record, channel, static_cast<float>(s[j]));
        const float to =
            samples > 1 ? ValueOf(record, channel, static_cast<float>(s[j + 1])) : from;
        return from + fraction * (to - from);
    }
    return ValueOf(record, channel, static_cast<float>(s[j]) + fraction * slope);
}

AxisRange DrawnRange(const FlightRecord& record, int channel) {
    AxisRange range = record.ranges[static_cast<std::size_t>(channel)];
    if (channel == kMotorRpm && range.min > 0.0f) {
        range.min = 0.0f;
    }
    return range;
}

bool TraceAvailable(const PlotTrace& trace) {
    if (trace.flight == nullptr) {
        return false;
    }
    const int channels = ChannelsOf(trace.flight->record);
    return trace.quantity == TraceQuantity::Power ? channels > kCurrent
                                                  : trace.channel >= 0 && trace.channel < channels;
}

std::vector<float> TraceValues(const PlotTrace& trace) {
    std::vector<float> values;
    if (!TraceAvailable(trace)) {
        return values;
    }
    const FlightRecord& record = trace.flight->record;
    const SmoothedChannel& smoothed = trace.flight->smoothed;
    const int samples = SamplesOf(record);
    values.resize(static_cast<std::size_t>(samples));
    if (trace.quantity == TraceQuantity::Power) {
        const Calibration& voltage = record.calibration[kVoltage];
        const Calibration& current = record.calibration[kCurrent];
        for (int j = 0; j < samples; ++j) {
            values[j] = ScaledValue(smoothed[kVoltage][j], voltage) *
                        ScaledValue(smoothed[kCurrent][j], current);
        }
    } else {
        const int ch = trace.channel;
        for (int j = 0; j < samples; ++j) {
            values[j] = PhysicalValue(record, ch, smoothed[ch][j]);
        }
    }
    return values;
}

std::int32_t TraceRow(const PlotTrace& trace, float value, int plotHeight) {
    const AxisRange range = trace.range;
    const float perPixel = (range.max - range.min) / static_cast<float>(plotHeight);
    if (trace.quantity == TraceQuantity::Channel &&
        (perPixel == 0.0f || (trace.channel == kThrottle && value > kThrottleTop))) {
        return 0;
    }
    return ToPixel((range.max - value) / perPixel);
}

void VisibleTracePoints(const PlotTrace& trace, std::span<const float> values, int first, int last,
                        int plotWidth, int plotHeight, std::vector<PlotPoint>& out) {
    out.clear();
    if (last <= first) {
        return;
    }
    const double scale = trace.scale > 0.0 ? trace.scale : 1.0;
    const double n = static_cast<double>(values.size());
    // The samples whose plot position lies in the window; each is checked
    // again below, so a rounding here never lets one outside it through.
    const double from = std::ceil((first - trace.offset) / scale);
    // The window's last sample stands on the right edge: a sample placed
    // between it and the next would fall outside the plot.
    const double right = last - first > 1 ? last - 1.0 : static_cast<double>(first);
    const double to = std::floor((right - trace.offset) / scale) + 1.0;
    const std::int64_t begin = static_cast<std::int64_t>(std::clamp(from, 0.0, n));
    const std::int64_t end = static_cast<std::int64_t>(std::clamp(to, 0.0, n));
    const double d = static_cast<double>(last) - first;
    for (std::int64_t j = begin; j < end; ++j) {
        const double p = trace.offset + static_cast<double>(j) * scale;
        if (p < first || p > right) {
            continue;
        }
        // Truncated as WindowColumn does: for a whole p exactly its column.
        const double column = d > 1.0 ? std::floor((p - first) * plotWidth / (d - 1.0)) : 0.0;
        out.push_back({static_cast<std::int32_t>(column),
                       TraceRow(trace, values[static_cast<std::size_t>(j)], plotHeight)});
    }
}

int TraceStore::Add(const PlotTrace& trace) {
    traces_.push_back(trace);
    values_.push_back(TraceValues(trace));
    return Count() - 1;
}

void TraceStore::Clear() {
    traces_.clear();
    values_.clear();
}

void TraceStore::Refresh(int i) {
    values_[static_cast<std::size_t>(i)] = TraceValues(At(i));
}

bool TraceStore::ValueAt(int i, float f, float& value) const {
    const std::span<const float> v = Values(i);
    const PlotTrace& trace = At(i);
    const float at =
        static_cast<float>((f - trace.offset) / (trace.scale > 0.0 ? trace.scale : 1.0));
    const int n = static_cast<int>(v.size());
    if (n < 1 || at < 0.0f || at > static_cast<float>(n - 1)) {
        return false;
    }
    const int j = std::max(0, std::min(static_cast<int>(at), n - 2));
    const float fraction = at - static_cast<float>(j);
    const float slope = n > 1 ? v[j + 1] - v[j] : 0.0f;
    value = v[j] + fraction * slope;
    return true;
}

}  // namespace tavix
