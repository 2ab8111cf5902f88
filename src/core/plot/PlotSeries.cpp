#include "plot/PlotSeries.h"

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

}  // namespace

bool SeriesAvailable(const PlotSeries& series) {
    if (series.flight == nullptr) {
        return false;
    }
    const int channels = ChannelsOf(series.flight->record);
    return series.quantity == SeriesQuantity::Power
               ? channels > kCurrent
               : series.channel >= 0 && series.channel < channels;
}

std::vector<float> SeriesValues(const PlotSeries& series) {
    std::vector<float> values;
    if (!SeriesAvailable(series)) {
        return values;
    }
    const FlightRecord& record = series.flight->record;
    const SmoothedSeries& smoothed = series.flight->smoothed;
    const int samples = SamplesOf(record);
    values.resize(static_cast<std::size_t>(samples));
    if (series.quantity == SeriesQuantity::Power) {
        const Calibration& voltage = record.calibration[kVoltage];
        const Calibration& current = record.calibration[kCurrent];
        for (int j = 0; j < samples; ++j) {
            values[j] = ScaledValue(smoothed[kVoltage][j], voltage) *
                        ScaledValue(smoothed[kCurrent][j], current);
        }
    } else {
        const int ch = series.channel;
        for (int j = 0; j < samples; ++j) {
            values[j] = PhysicalValue(record, ch, smoothed[ch][j]);
        }
    }
    return values;
}

std::int32_t SeriesRow(const PlotSeries& series, float value, int plotHeight) {
    const AxisRange range = series.range;
    const float perPixel = (range.max - range.min) / static_cast<float>(plotHeight);
    if (series.quantity == SeriesQuantity::Channel &&
        (perPixel == 0.0f || (series.channel == kThrottle && value > kThrottleTop))) {
        return 0;
    }
    return ToPixel((range.max - value) / perPixel);
}

void VisibleSeriesPoints(const PlotSeries& series, std::span<const float> values, int first,
                         int last, int plotWidth, int plotHeight, std::vector<PlotPoint>& out) {
    out.clear();
    const int begin = std::max(first, series.offset);
    const int end = std::min<int>(last, static_cast<int>(values.size()) + series.offset);
    for (int p = begin; p < end; ++p) {
        out.push_back({WindowColumn(p, first, last, plotWidth),
                       SeriesRow(series, values[p - series.offset], plotHeight)});
    }
}

int SeriesStore::Add(const PlotSeries& series) {
    series_.push_back(series);
    values_.push_back(SeriesValues(series));
    return Count() - 1;
}

void SeriesStore::Clear() {
    series_.clear();
    values_.clear();
}

void SeriesStore::Refresh(int i) {
    values_[static_cast<std::size_t>(i)] = SeriesValues(At(i));
}

bool SeriesStore::ValueAt(int i, float f, float& value) const {
    const std::span<const float> v = Values(i);
    const float at = f - static_cast<float>(At(i).offset);
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
