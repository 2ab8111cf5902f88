#pragma once
// Statistics of a stretch of a flight between two measuring cursors, A and B.
//
// The values are the physical values the curves draw: the smoothed channels
// (FlightData::smoothed, filled by FlightData::Convert with the configured windows)
// converted by PhysicalValue, the throttle held at 100 % as its curve is.
// Beside the record's channels there is one computed quantity, the electrical
// power (voltage x current, W), so a caller can draw it as a ninth trace.
//
// Time: sample j is taken at j / rate seconds and the logger holds it until
// the next one, so the record lasts samples / rate seconds and the stretch
// from A to B lasts (B - A) / rate. Capacity and energy add up each sample's
// value over the time it is held: over the record every sample counts, over a
// span the samples from A up to (not including) B. Minimum, maximum and mean
// are those of the samples from A through B.
//
// A motor RPM sample whose period was 0 (no reading) is infinite: such values
// are left out of minimum, maximum and mean, never turned into a number.
//
// The index is built once per record (and again when the smoothing changes) in
// time proportional to the record; a span query then costs a few hundred
// operations per channel, whatever its width, so a cursor can be dragged over
// a full record smoothly.

#include <array>
#include <optional>
#include <vector>

#include "flight/Conversion.h"
#include "flight/FlightRecord.h"

namespace tavix {

struct FlightData;

// The computed power quantity comes after the record's channels.
inline constexpr int kPowerQuantity = kChannelCount;
inline constexpr int kQuantityCount = kChannelCount + 1;

// One quantity over a span.
struct QuantitySpan {
    bool present = false;  // the record has this quantity
    int valid = 0;         // finite values among the span's samples
    // Over the finite values; 0 when there are none.
    float min = 0.0f;
    float max = 0.0f;
    double mean = 0.0;
    // Values at the span's first and last sample, and last - first (they may
    // be infinite for the RPM without a reading).
    float atFirst = 0.0f;
    float atLast = 0.0f;
    float change = 0.0f;
};

struct SpanStatistics {
    // Samples of the span, first <= last, both inside the record.
    int first = 0;
    int last = 0;
    bool swapped = false;  // A was placed after B: first is B, last is A
    // (last - first) / rate; empty when the record has no sampling rate.
    std::optional<double> seconds;
    // Held from first up to last, with the sampling rate; empty without one
    // or without voltage and current channels.
    std::optional<double> capacityMah;
    std::optional<double> energyWh;
    std::array<QuantitySpan, kQuantityCount> quantities{};
};

class SpanIndex {
public:
    // Reads the smoothed channels of the record (it must be converted
    // already), the calibration, the header's counts, rate, pole number and
    // gear rate.
    explicit SpanIndex(const FlightData& data);
    SpanIndex(const FlightRecord& record, const SmoothedChannel& smoothed);

    int Samples() const { return samples_; }
    int Rate() const { return rate_; }
    bool HasQuantity(int quantity) const;
    bool HasPower() const { return HasQuantity(kPowerQuantity); }
    // The physical values of a quantity (empty when the record lacks it).
    const std::vector<float>& Values(int quantity) const;

    // The span between samples a and b, in either order, each clamped to the
    // record. A record without samples gives an empty span (nothing present).
    SpanStatistics Span(int a, int b) const;
    // The whole record: Span(0, samples - 1), with capacity and energy
    // counting the last sample's time too.
    SpanStatistics Whole() const;

private:
    struct Quantity {
        std::vector<float> values;
        std::vector<double> sums;     // sums[j] = sum of finite values[0..j-1]
        std::vector<int> counts;      // counts[j] = finite values among values[0..j-1]
        std::vector<float> blockMin;  // over finite values of each block
        std::vector<float> blockMax;
    };

    void Build(Quantity& quantity, std::vector<float> values);
    QuantitySpan Measure(const Quantity& quantity, int first, int last) const;
    SpanStatistics Compute(int first, int last, int heldEnd) const;

    int samples_ = 0;
    int rate_ = 0;
    std::array<Quantity, kQuantityCount> quantities_{};
    std::array<bool, kQuantityCount> present_{};
};

}  // namespace tavix
