#pragma once
// What went wrong in a flight, found without reading its curves: stretches
// where a cell sagged too low, the motor ran too hot, the current burst far
// above its usual level, the motor's speed collapsed under a steady throttle
// (the ESC may have lost sync), or a sensor gave no reading.
//
// The rules read the values the curves draw (the smoothed series converted to
// physical units, as SpanIndex holds them) and, for missing readings, the raw
// series, where a temperature or an RPM period of 0 means "no reading".
// Consecutive samples that break the same rule form one event, and two
// events of one kind closer than the shorter of them lasts merge into one (a
// burst that dips under the limit for a sample is one burst). An event
// starts at its first sample (first / rate seconds) and lasts as long as its
// samples are held: (last - first + 1) / rate.
//
// Rules, with the limits the user sets in [analysis] of config.ini:
//   low-cell       voltage / cells below `cellmin` (3.3 V); a value exactly
//                  at the limit is still fine. Cells as the flight summary
//                  counts them (CellCount of the highest voltage).
//   over-temp      temperature above `tempmax` (90 C).
//   current-spike  current above `currentmax` when set (above 0). Without it,
//                  a burst: current above 1.5 x the flight's typical high
//                  current (the 90th percentile of its samples, when that is
//                  at least 2 A) for at most 1 s. A longer stretch above that
//                  level is hard flying, not a burst, and is not reported.
//   rpm-drop       the RPM at a sample is more than 30 % below its value at a
//                  sample up to 0.5 s earlier while the throttle is above 50 %
//                  at both and has not fallen between them by more than one
//                  percentage point: a possible loss of sync. The event runs
//                  from the faster sample to the last slow one; its value is
//                  the largest fall in percent.
//   no-reading     a temperature or RPM reading missing after the channel's
//                  first reading. A stopped motor gives no RPM period, so an
//                  RPM gap counts only while the throttle is at 5 % or more.
//                  Its value is the number of samples without a reading.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analysis/SpanIndex.h"
#include "base/Translate.h"
#include "flight/FlightData.h"
#include "flight/FlightRecord.h"

namespace tavix {

// In order of severity, worst first: the logbook highlights the worst kind
// of a flight.
enum class EventKind { RpmDrop, OverTemp, LowCell, CurrentSpike, NoReading };

// "low-cell", "over-temp", "current-spike", "rpm-drop", "no-reading".
const char* EventKindName(EventKind kind);

struct EventLimits {
    double cellMin = 3.3;     // V per cell
    double tempMax = 90.0;    // degrees C
    double currentMax = 0.0;  // A; 0: find bursts by the flight's own level
};

// What each event says; the numbers are written with a decimal point.
inline constexpr const char* kTextLowCell = TAVIX_TR("Cell voltage down to %s V (limit %s V)");
inline constexpr const char* kTextOverTemp = TAVIX_TR("Temperature up to %s C (limit %s C)");
inline constexpr const char* kTextCurrentLimit = TAVIX_TR("Current up to %s A (limit %s A)");
inline constexpr const char* kTextCurrentBurst =
    TAVIX_TR("Current burst to %s A, typical high current %s A");
inline constexpr const char* kTextRpmDrop =
    TAVIX_TR("RPM fell by %s %% while the throttle held: possible loss of sync");
inline constexpr const char* kTextNoReading = TAVIX_TR("No %s reading for %s s");
inline constexpr const char* kReadingTemperature = TAVIX_TR("temperature");
inline constexpr const char* kReadingRpm = TAVIX_TR("RPM");

// The CSV header of `tavix-cli events --csv`.
inline constexpr const char* kEventsCsvHeader = "time_s,duration_s,kind,value,text";

// The fixed parts of the rules.
inline constexpr double kSpikeFactor = 1.5;
inline constexpr double kSpikePercentile = 0.9;
inline constexpr double kSpikeMinTypical = 2.0;  // A
inline constexpr double kSpikeMaxSeconds = 1.0;
inline constexpr double kRpmDropShare = 0.3;  // fall by more than 30 %
inline constexpr double kRpmDropSeconds = 0.5;
inline constexpr double kRpmDropThrottle = 50.0;  // %
inline constexpr double kRpmDropThrottleSlack = 1.0;
inline constexpr double kMotorOffThrottle = 5.0;  // %

struct FlightEvent {
    EventKind kind = EventKind::LowCell;
    int first = 0;  // samples, first <= last
    int last = 0;
    double time = 0.0;      // s, first / rate
    double duration = 0.0;  // s, (last - first + 1) / rate
    double value = 0.0;     // the worst value (units by kind, see above)
    // For the pilot: Text() in English (files, the command line), Shown() in
    // the window's language.
    MessageParts message;
};

// The series the rules read; an empty span is a channel the record lacks.
// Every present span holds `samples` values.
struct EventInput {
    int samples = 0;
    int rate = 0;   // samples per second; 0 reads as 1
    int cells = 0;  // 0: no low-cell events
    std::span<const float> voltage, current, throttle, temperature, rpm;
    // Raw readings; a value of 0 is a sample without a reading.
    std::span<const std::int32_t> rawTemperature, rawRpm;
};

// Every event, in time order (kinds in the order above at the same sample).
std::vector<FlightEvent> FindEvents(const EventInput& input, const EventLimits& limits);

// The same over a converted record (FlightData::Convert) and
// its index, with the cells the flight summary counts.
std::vector<FlightEvent> FindEvents(const FlightRecord& record, const SpanIndex& index,
                                    const EventLimits& limits);
inline std::vector<FlightEvent> FindEvents(const FlightData& data, const SpanIndex& index,
                                           const EventLimits& limits) {
    return FindEvents(data.record, index, limits);
}

// Events as `tavix-cli events --csv` writes them: a header line
// "time_s,duration_s,kind,value,text" and one row per event, numbers with a
// decimal point whatever the locale.
std::string EventsCsv(const std::vector<FlightEvent>& events);

// A number with `decimals` digits after a point, never a comma.
std::string PointNumber(double value, int decimals);

}  // namespace tavix
