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

SpanIndex::SpanIndex(const FlightRecord& record, const SmoothedChannel& smoothed) {
    const int channels = ChannelsOf(record);
    samples_ = SamplesOf(record);
    rate_ = record.header.rate;
    for (int ch = 0; ch < channels; ++ch) {
        std::vector<float> values(static_cast<std::size_t>(samples_));
        for (int j = 0; j < samples_; ++j) {
            values[j] = DrawnValue(ch, PhysicalValue(record, ch, smoothed[ch][j]));
        }
        Build(quantities_[ch], std::move(values));
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
        Build(quantities_[kPowerQuantity], std::move(power));
        present_[kPowerQuantity] = true;
    }
}

bool SpanIndex::HasQuantity(int quantity) const {
    return quantity >= 0 && quantity < kQuantityCount && present_[quantity];
}

const std::vector<float>& SpanIndex::Values(int quantity) const {
    static const std::vector<float> kNone;
    return HasQuantity(quantity) ? quantities_[quantity].values : kNone;
}

void SpanIndex::Build(Quantity& quantity, std::vector<float> values) {
    const std::size_t n = values.size();
    quantity.sums.assign(n + 1, 0.0);
    quantity.counts.assign(n + 1, 0);
    const std::size_t blocks = (n + kBlock - 1) / kBlock;
    quantity.blockMin.assign(blocks, kInfinity);
    quantity.blockMax.assign(blocks, -kInfinity);
    for (std::size_t j = 0; j < n; ++j) {
        const float v = values[j];
        const bool finite = std::isfinite(v);
        quantity.sums[j + 1] = quantity.sums[j] + (finite ? v : 0.0);
        quantity.counts[j + 1] = quantity.counts[j] + (finite ? 1 : 0);
        if (finite) {
            float& lo = quantity.blockMin[j / kBlock];
            float& hi = quantity.blockMax[j / kBlock];
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    quantity.values = std::move(values);
}

QuantitySpan SpanIndex::Measure(const Quantity& quantity, int first, int last) const {
    QuantitySpan span;
    span.present = true;
    span.valid = quantity.counts[last + 1] - quantity.counts[first];
    span.atFirst = quantity.values[first];
    span.atLast = quantity.values[last];
    span.change = span.atLast - span.atFirst;
    if (span.valid == 0) {
        return span;
    }
    span.mean = (quantity.sums[last + 1] - quantity.sums[first]) / span.valid;

    float lo = kInfinity;
    float hi = -kInfinity;
    auto scan = [&](int from, int to) {  // samples from..to-1
        for (int j = from; j < to; ++j) {
            const float v = quantity.values[j];
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
            lo = std::min(lo, quantity.blockMin[b]);
            hi = std::max(hi, quantity.blockMax[b]);
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
        if (present_[kPowerQuantity]) {
            const Quantity& current = quantities_[kCurrent];
            const Quantity& power = quantities_[kPowerQuantity];
            // Sum of the held values / rate = ampere-seconds; 3.6 As = 1 mAh.
            const double ampereSeconds = (current.sums[heldEnd] - current.sums[first]) / rate_;
            const double wattSeconds = (power.sums[heldEnd] - power.sums[first]) / rate_;
            stats.capacityMah = ampereSeconds / 3.6;
            stats.energyWh = wattSeconds / kSecondsPerHour;
        }
    }
    for (int s = 0; s < kQuantityCount; ++s) {
        if (present_[s]) {
            stats.quantities[s] = Measure(quantities_[s], first, last);
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
