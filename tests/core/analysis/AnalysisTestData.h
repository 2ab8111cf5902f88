#pragma once
// Records for the analysis tests: calibration of the demo hardware (0.1 V,
// 0.5 A, 0.5 %, 0.5 degree steps, RPM from the period), raw series filled by a
// function of channel and sample, smoothed with the given windows.

#include <array>
#include <functional>
#include <memory>

#include "flight/Conversion.h"
#include "flight/FlightData.h"
#include "flight/FlightRecord.h"

namespace tavix::test {

inline std::unique_ptr<FlightData> MakeAnalysisRecord(
    int channels, int samples, int rate, const std::function<std::int32_t(int, int)>& raw,
    std::array<int, kChannelCount> windows = {1, 1, 1, 1, 1, 1, 1, 1}) {
    auto flight = std::make_unique<FlightData>();
    FlightRecord* record = &flight->record;
    record->header.channels = channels;
    record->header.samples = samples;
    record->header.rate = static_cast<std::uint8_t>(rate);
    record->header.poles = 14;
    record->header.gearRate = 1.0f;
    const std::array<float, kChannelCount> k{0.1f, 0.5f, 0.5f, 0.5f, 0.000001f, 1, 1, 1};
    for (int ch = 0; ch < kChannelCount; ++ch) {
        record->calibration[ch] = {k[ch], ch == kTemperature ? -10.0f : 0.0f};
        for (int j = 0; j < samples && ch < channels; ++j) {
            record->raw[ch][j] = raw(ch, j);
        }
    }
    SmoothRecord(*record, windows, flight->smoothed);
    return flight;
}

}  // namespace tavix::test
