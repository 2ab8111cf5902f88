#pragma once
// Raw logger samples to physical values.
//
// Each channel's raw series is first smoothed with a moving average of the
// channel's window, then scaled: v = s * k + c for every channel but the
// motor RPM, whose raw value is the rotation period, so its speed is
// 30 / ((P * G * k4) * s) with the pole number P and gear rate G of the record.
// Its smoothing skips the zero periods (no reading), and a smoothed period of
// 0 reads as 0 RPM.
// Everything after the smoothing is single precision with a fixed order of
// operations, so the curves, the statistics and the CSV export agree to the bit.

#include <array>
#include <cstdint>

#include "flight/FlightRecord.h"

namespace tavix {

// The smoothed series of a record, channel-major like its raw samples.
using SmoothedChannel = std::array<std::array<std::int32_t, kMaxSamples>, kChannelCount>;

// Throttle is a percentage: anything above this is shown at the top edge.
inline constexpr float kThrottleTop = 100.0f;

// What a pass over the record found besides the smoothed series.
struct ConversionResult {
    int channels = 0;  // channels converted (the record's, at most 8)
    int samples = 0;   // samples per channel converted (at most 16384)
    // Smallest and largest physical value of each channel. The throttle's are
    // capped at 100, as its curve is. Channels not converted stay 0, 0.
    std::array<AxisRange, kChannelCount> observed{};
    // Largest voltage x current product over the samples, starting from 0.
    float maxPower = 0.0f;
};

// Moving average of `count` samples with `window` (below 1 counts as 1):
// out[j] is the mean of raw[0..j] while j < window, else of the last `window`
// samples. Sums are 32-bit two's complement and wrap around on overflow, the
// division truncates toward zero. Runs in time proportional to `count`,
// whatever the window. `out` may not overlap `raw`.
void SmoothChannel(const std::int32_t* raw, int count, int window, std::int32_t* out);

// s * k + c, in single precision.
float ScaledValue(std::int32_t smoothed, const Calibration& calibration);

// The moving average of the motor's rotation periods. A period of 0 is no
// reading at all (the motor stands still, or the sensor has not caught a
// revolution yet), so it must not pull the mean towards a very short period,
// which would read as a false burst of speed at every motor start. out[j] is
// the mean of the non-zero readings among the samples SmoothChannel would
// average (their 32-bit wrapping sum divided by their number, truncating),
// or 0 when there is none. Time proportional to `count`; `out` may not
// overlap `raw`.
void SmoothPeriods(const std::int32_t* raw, int count, int window, std::int32_t* out);

// 30 / ((P * G * k4) * s), in single precision. A period of 0 is no reading
// and reads as 0 RPM, the motor standing still. Any other period with a
// factor of 0 gives an infinite value, never a failure.
float RpmValue(std::int32_t period, std::int32_t poles, float gearRate, float k4);

// The same for a period between two smoothed samples (the read-out between
// two samples).
float RpmValue(float period, std::int32_t poles, float gearRate, float k4);

// The physical value of one smoothed sample of `channel` in `record`.
float PhysicalValue(const FlightRecord& record, int channel, std::int32_t smoothed);

// The value at which a curve is drawn: the throttle is held at the top edge.
float DrawnValue(int channel, float value);

// The number of channels and of samples per channel of `record` that may be
// read: its header's counts cut to the size of the record memory.
int ChannelsOf(const FlightRecord& record);
int SamplesOf(const FlightRecord& record);

// Smooths every channel of the record into `out` with its window:
// SmoothPeriods for the motor RPM, SmoothChannel for the others.
void SmoothRecord(const FlightRecord& record, const std::array<int, kChannelCount>& windows,
                  SmoothedChannel& out);

// Converts the smoothed series of `record` to physical values: observed
// extremes and the maximum power. Reads the record's calibration and counts.
ConversionResult EvaluateRecord(const FlightRecord& record, const SmoothedChannel& smoothed);

}  // namespace tavix
