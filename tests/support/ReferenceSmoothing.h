#pragma once
// The moving average written the plain way: every window summed from scratch
// (window x samples additions). It is the yardstick that SmoothSeries must
// match bit for bit, and the baseline the benchmark measures it against.

#include <algorithm>
#include <cstdint>

namespace tavix::test {

inline void ReferenceSmoothSeries(const std::int32_t* raw, int count, int window,
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

}  // namespace tavix::test
