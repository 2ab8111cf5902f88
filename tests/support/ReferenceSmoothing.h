#pragma once
// The moving average written the plain way: every window summed from scratch
// (window x samples additions). It is the yardstick that SmoothChannel must
// match bit for bit, and the baseline the benchmark measures it against; the
// same for the motor's periods, whose zeros are no readings.

#include <algorithm>
#include <cstdint>

namespace tavix::test {

inline void ReferenceSmoothChannel(const std::int32_t* raw, int count, int window,
                                   std::int32_t* out) {
    const int n = std::max(window, 1);
    for (int j = 0; j < count; ++j) {
        const int first = j < n ? 0 : j - n + 1;
        // A 32-bit int sum that wraps around on overflow.
        std::uint32_t sum = 0;
        for (int i = first; i <= j; ++i) {
            sum += static_cast<std::uint32_t>(raw[i]);
        }
        const int divisor = j < n ? j + 1 : n;
        out[j] = static_cast<std::int32_t>(sum) / divisor;
    }
}

// The motor's periods the plain way: for every sample, walk its window, keep
// the readings that are not 0 and take their mean; no reading gives 0.
inline void ReferenceSmoothPeriods(const std::int32_t* raw, int count, int window,
                                   std::int32_t* out) {
    const int n = std::max(window, 1);
    for (int j = 0; j < count; ++j) {
        std::uint32_t sum = 0;
        int readings = 0;
        for (int i = std::max(0, j - n + 1); i <= j; ++i) {
            if (raw[i] != 0) {
                sum += static_cast<std::uint32_t>(raw[i]);
                ++readings;
            }
        }
        out[j] = readings == 0 ? 0 : static_cast<std::int32_t>(sum) / readings;
    }
}

}  // namespace tavix::test
