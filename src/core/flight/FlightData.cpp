#include "flight/FlightData.h"

namespace tavix {

const ConversionResult& FlightData::Convert(const std::array<int, kChannelCount>& windows) {
    SmoothRecord(record, windows, smoothed);
    conversion = EvaluateRecord(record, smoothed);
    return conversion;
}

}  // namespace tavix
