#pragma once
// A flight as the program holds it: the record as its file stores it and,
// beside it, what the program computes from it with the configured smoothing
// windows (the smoothed series, the observed extremes, the maximum power).
//
// It is a plain value: the current record of the window, a record the logbook
// reads, a second flight to compare are each a FlightData of their own. Its
// arrays are large (about 1 MB), so hold it on the heap.

#include <array>

#include "flight/Conversion.h"
#include "flight/FlightRecord.h"

namespace tavix {

struct FlightData {
    FlightRecord record;
    SmoothedChannel smoothed{};
    ConversionResult conversion;  // of the last Convert()

    // Smooths the record with `windows` and converts it: fills `smoothed`
    // and `conversion`, and returns the latter.
    const ConversionResult& Convert(const std::array<int, kChannelCount>& windows);
};

}  // namespace tavix
