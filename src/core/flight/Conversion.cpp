#include "flight/Conversion.h"

#include <algorithm>

namespace tavix {

namespace {

// Two's complement wrap-around without signed overflow: the sum is kept in
// uint32_t, where overflow is defined, and read back as int32_t.
std::int32_t AsSigned(std::uint32_t sum) {
    return static_cast<std::int32_t>(sum);
}

}  // namespace

void SmoothChannel(const std::int32_t* raw, int count, int window, std::int32_t* out) {
    const int n = std::max(window, 1);
    // While the window is still filling up, divide by the samples seen so far.
    const int filling = std::min(n, std::max(count, 0));
    std::uint32_t sum = 0;
    int j = 0;
    for (; j < filling; ++j) {
        sum += static_cast<std::uint32_t>(raw[j]);
        out[j] = AsSigned(sum) / (j + 1);
    }
    // Then slide: one sample enters, the one `n` places back leaves.
    for (; j < count; ++j) {
        sum += static_cast<std::uint32_t>(raw[j]);
        sum -= static_cast<std::uint32_t>(raw[j - n]);
        out[j] = AsSigned(sum) / n;
    }
}

void SmoothPeriods(const std::int32_t* raw, int count, int window, std::int32_t* out) {
    const int n = std::max(window, 1);
    std::uint32_t sum = 0;
    int readings = 0;  // non-zero periods inside the window
    for (int j = 0; j < count; ++j) {
        if (raw[j] != 0) {
            sum += static_cast<std::uint32_t>(raw[j]);
            ++readings;
        }
        if (j >= n && raw[j - n] != 0) {
            sum -= static_cast<std::uint32_t>(raw[j - n]);
            --readings;
        }
        out[j] = readings > 0 ? AsSigned(sum) / readings : 0;
    }
}

float ScaledValue(std::int32_t smoothed, const Calibration& calibration) {
    const float product = static_cast<float>(smoothed) * calibration.k;
    return product + calibration.c;
}

float RpmValue(std::int32_t period, std::int32_t poles, float gearRate, float k4) {
    return RpmValue(static_cast<float>(period), poles, gearRate, k4);
}

float RpmValue(float period, std::int32_t poles, float gearRate, float k4) {
    if (period == 0.0f) {
        return 0.0f;
    }
    const float factor = static_cast<float>(poles) * gearRate * k4;
    const float denominator = factor * period;
    return 30.0f / denominator;
}

float PhysicalValue(const FlightRecord& record, int channel, std::int32_t smoothed) {
    if (channel == kMotorRpm) {
        return RpmValue(smoothed, record.header.poles, record.header.gearRate,
                        record.calibration[kMotorRpm].k);
    }
    return ScaledValue(smoothed, record.calibration[channel]);
}

float DrawnValue(int channel, float value) {
    return channel == kThrottle && value > kThrottleTop ? kThrottleTop : value;
}

int ChannelsOf(const FlightRecord& record) {
    return std::clamp<int>(record.header.channels, 0, kChannelCount);
}

int SamplesOf(const FlightRecord& record) {
    return std::clamp<int>(record.header.samples, 0, kMaxSamples);
}

void SmoothRecord(const FlightRecord& record, const std::array<int, kChannelCount>& windows,
                  SmoothedChannel& out) {
    const int channels = ChannelsOf(record);
    const int samples = SamplesOf(record);
    for (int i = 0; i < channels; ++i) {
        if (i == kMotorRpm) {
            SmoothPeriods(record.raw[i].data(), samples, windows[i], out[i].data());
        } else {
            SmoothChannel(record.raw[i].data(), samples, windows[i], out[i].data());
        }
    }
}

ConversionResult EvaluateRecord(const FlightRecord& record,
                                const SmoothedChannel& smoothedChannel) {
    ConversionResult result;
    result.channels = ChannelsOf(record);
    result.samples = SamplesOf(record);
    for (int i = 0; i < result.channels; ++i) {
        const std::int32_t* smoothed = smoothedChannel[i].data();
        AxisRange& observed = result.observed[i];
        for (int j = 0; j < result.samples; ++j) {
            // The throttle is capped before it counts, so its observed range
            // is that of its curve and its minimum never exceeds its maximum.
            const float v = DrawnValue(i, PhysicalValue(record, i, smoothed[j]));
            if (j == 0) {
                observed.min = v;
                observed.max = v;
            } else if (v < observed.min) {
                observed.min = v;
            } else if (v > observed.max) {
                observed.max = v;
            }
        }
    }
    if (result.channels > kCurrent) {
        const Calibration& voltage = record.calibration[kVoltage];
        const Calibration& current = record.calibration[kCurrent];
        for (int j = 0; j < result.samples; ++j) {
            const float power = ScaledValue(smoothedChannel[kVoltage][j], voltage) *
                                ScaledValue(smoothedChannel[kCurrent][j], current);
            if (power > result.maxPower) {
                result.maxPower = power;
            }
        }
    }
    return result;
}

}  // namespace tavix
