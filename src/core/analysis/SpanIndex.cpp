#include "analysis/SpanIndex.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "flight/Conversion.h"
#include "flight/FlightData.h"

namespace tavix {

namespace {

// Samples per block of the precomputed minimum and maximum: a span reads at
// most two partial blocks sample by sample and the blocks between whole.
constexpr int kBlock = 64;

constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr double kSecondsPerHour = 3600.0;

}  // namespace

SpanIndex::SpanIndex(const FlightData& data) : SpanIndex(data.record, data.smoothed) {}

SpanIndex::SpanIndex(const FlightRecord& record, const SmoothedSeries& smoothed) {
    const int channels = ChannelsOf(record);
    samples_ = SamplesOf(record);
    rate_ = record.header.rate;
    for (int ch = 0; ch < channels; ++ch) {
        std::vector<float> values(static_cast<std::size_t>(samples_));
        for (int j = 0; j < samples_; ++j) {
            values[j] = DrawnValue(ch, PhysicalValue(record, ch, smoothed[ch][j]));
        }
        Build(series_[ch], std::move(values));
        present_[ch] = true;
    }
    if (channels > kCurrent) {
        // The same product, in the same precision, as the record page's
        // maximum power.
        const Calibration& voltage = record.calibration[kVoltage];
        const Calibration& current = record.calibration[kCurrent];
        std::vector<float> power(static_cast<std::size_t>(samples_));
        for (int j = 0; j < samples_; ++j) {
            power[j] = ScaledValue(smoothed[kVoltage][j], voltage) *
                       ScaledValue(smoothed[kCurrent][j], current);
        }
        Build(series_[kPowerSeries], std::move(power));
        present_[kPowerSeries] = true;
    }
}

bool SpanIndex::HasSeries(int series) const {
    return series >= 0 && series < kSeriesCount && present_[series];
}

const std::vector<float>& SpanIndex::Values(int series) const {
    static const std::vector<float> kNone;
    return HasSeries(series) ? series_[series].values : kNone;
}

void SpanIndex::Build(Series& series, std::vector<float> values) {
    const std::size_t n = values.size();
    series.sums.assign(n + 1, 0.0);
    series.counts.assign(n + 1, 0);
    const std::size_t blocks = (n + kBlock - 1) / kBlock;
    series.blockMin.assign(blocks, kInfinity);
    series.blockMax.assign(blocks, -kInfinity);
    for (std::size_t j = 0; j < n; ++j) {
        const float v = values[j];
        const bool finite = std::isfinite(v);
        series.sums[j + 1] = series.sums[j] + (finite ? v : 0.0);
        series.counts[j + 1] = series.counts[j] + (finite ? 1 : 0);
        if (finite) {
            float& lo = series.blockMin[j / kBlock];
            float& hi = series.blockMax[j / kBlock];
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    series.values = std::move(values);
}

SeriesSpan SpanIndex::Measure(const Series& series, int first, int last) const {
    SeriesSpan span;
    span.present = true;
    span.valid = series.counts[last + 1] - series.counts[first];
    span.atFirst = series.values[first];
    span.atLast = series.values[last];
    span.change = span.atLast - span.atFirst;
    if (span.valid == 0) {
        return span;
    }
    span.mean = (series.sums[last + 1] - series.sums[first]) / span.valid;

    float lo = kInfinity;
    float hi = -kInfinity;
    auto scan = [&](int from, int to) {  // samples from..to-1
        for (int j = from; j < to; ++j) {
            const float v = series.values[j];
            if (std::isfinite(v)) {
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
        }
    };
    const int firstBlock = first / kBlock;
    const int lastBlock = last / kBlock;
    if (firstBlock == lastBlock) {
        scan(first, last + 1);
    } else {
        scan(first, (firstBlock + 1) * kBlock);
        for (int b = firstBlock + 1; b < lastBlock; ++b) {
            lo = std::min(lo, series.blockMin[b]);
            hi = std::max(hi, series.blockMax[b]);
        }
        scan(lastBlock * kBlock, last + 1);
    }
    span.min = lo;
    span.max = hi;
    return span;
}

SpanStatistics SpanIndex::Compute(int first, int last, int heldEnd) const {
    SpanStatistics stats;
    stats.first = first;
    stats.last = last;
    if (rate_ > 0) {
        stats.seconds = static_cast<double>(last - first) / rate_;
        if (present_[kPowerSeries]) {
            const Series& current = series_[kCurrent];
            const Series& power = series_[kPowerSeries];
            // Sum of the held values / rate = ampere-seconds; 3.6 As = 1 mAh.
            const double ampereSeconds = (current.sums[heldEnd] - current.sums[first]) / rate_;
            const double wattSeconds = (power.sums[heldEnd] - power.sums[first]) / rate_;
            stats.capacityMah = ampereSeconds / 3.6;
            stats.energyWh = wattSeconds / kSecondsPerHour;
        }
    }
    for (int s = 0; s < kSeriesCount; ++s) {
        if (present_[s]) {
            stats.series[s] = Measure(series_[s], first, last);
        }
    }
    return stats;
}

SpanStatistics SpanIndex::Span(int a, int b) const {
    if (samples_ <= 0) {
        return {};
    }
    a = std::clamp(a, 0, samples_ - 1);
    b = std::clamp(b, 0, samples_ - 1);
    SpanStatistics stats = Compute(std::min(a, b), std::max(a, b), std::max(a, b));
    stats.swapped = a > b;
    return stats;
}

SpanStatistics SpanIndex::Whole() const {
    if (samples_ <= 0) {
        return {};
    }
    SpanStatistics stats = Compute(0, samples_ - 1, samples_);
    if (rate_ > 0) {
        stats.seconds = static_cast<double>(samples_) / rate_;
    }
    return stats;
}

}  // namespace tavix
