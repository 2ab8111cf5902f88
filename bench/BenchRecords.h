#pragma once
// The records the benchmarks measure on: the largest the record memory holds,
// 8 channels of 16384 samples.

#include <cstdint>
#include <memory>
#include <random>

#include "flight/FlightRecord.h"

namespace tavix::bench {

// Every sample random over the logger's 16-bit range, a calibration per
// channel, 30 samples a second, 14 poles and a gear rate of 4.3.
inline std::unique_ptr<FlightRecord> MakeRandomRecord() {
    auto record = std::make_unique<FlightRecord>();
    record->header.samples = kMaxSamples;
    record->header.channels = kChannelCount;
    record->header.rate = 30;
    record->header.poles = 14;
    record->header.gearRate = 4.3f;
    std::mt19937 generator(7);
    std::uniform_int_distribution<std::int32_t> sample(0, 65535);
    for (int i = 0; i < kChannelCount; ++i) {
        record->calibration[i] = {0.01f * static_cast<float>(i + 1), 0.5f};
        for (auto& value : record->raw[i]) {
            value = sample(generator);
        }
    }
    return record;
}

}  // namespace tavix::bench
