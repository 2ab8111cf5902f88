#pragma once
// Records that cannot be right. The logger stores every raw sample in at most
// 16 bits (a byte for voltage, current, throttle and temperature, a word for
// the rotation period), so a raw value below 0 or above 65535 comes from a
// damaged or foreign file, not from a flight: converted, it reads as hundreds
// of millions of amperes or degrees. Such a record still opens, with a warning
// naming the first such sample, and the logbook marks it.

#include <cstdint>
#include <optional>
#include <string>

#include "base/Translate.h"
#include "flight/FlightRecord.h"

namespace tavix {

inline constexpr std::int32_t kLargestRawSample = 65535;

inline constexpr const char* kMsgImplausibleRecord = TAVIX_TR(
    "%s holds values no device produces: %s at sample %d (%.2f s) reads %s. Its curves, "
    "statistics and exports are not to be trusted.");

// The lasting mark over a shown record that holds such values.
inline constexpr const char* kFmtImplausibleMark = TAVIX_TR(
    "Implausible values: %s reads %s at %.2f s (sample %d); curves, statistics and exports are "
    "not to be trusted.");

struct ImplausibleSample {
    int channel = 0;
    int sample = 0;  // counted from 0
    std::int32_t raw = 0;
};

// The earliest sample (then the lowest channel) of the record's channels whose
// raw value no logger produces; nothing when every sample is plausible.
std::optional<ImplausibleSample> FirstImplausibleSample(const FlightRecord& record);

// The warning for `found` in `record` (the record's calibration must be
// loaded); `name` is the file's name as program text.
std::string ImplausibleWarning(const FlightRecord& record, const ImplausibleSample& found,
                               const std::string& name);

// The mark the record page keeps over `record` (its calibration loaded)
// while it is shown: which channel reads what, where; empty for a record
// whose samples are all plausible (or no record).
std::string ImplausibleMark(const FlightRecord& record);

}  // namespace tavix
