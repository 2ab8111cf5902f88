#pragma once
// How a battery pack ages: its internal resistance estimated from each
// flight's current steps, and per pack the flights, the charge they took, the
// lowest voltage per cell and the resistance over the dates.
//
// A pack is named by a name line "Pack: NAME" at the top of a record's note
// (analysis/NoteLines); the rest of the note is the pilot's own.
//
// Internal resistance: a current step is a change of at least 5 A within
// 0.5 s, with steady values for 0.5 s before and after it (current within
// 1 A and voltage within 0.2 V over each stretch). The stretch after may
// begin up to 0.5 s after the change has reached 5 A, while the smoothed
// voltage (its moving average is usually the longer one) catches up. Across a step the battery's
// open-circuit voltage barely moves, so R = -(V after - V before) / (I after -
// I before), each side being the mean of its steady stretch of smoothed values.
// A flight's estimate is the median over its steps, a pack's the median over
// its flights' estimates.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/NoteLines.h"
#include "analysis/SpanIndex.h"
#include "base/Translate.h"

namespace tavix {

inline constexpr double kStepMinAmps = 5.0;
inline constexpr double kStepSeconds = 0.5;
inline constexpr double kSteadyAmps = 1.0;
inline constexpr double kSteadyVolts = 0.2;

// When the pack and model lines would push the note past what a record holds.
inline constexpr const char* kMsgNoteWithPackTooLong =
    TAVIX_TR("The note with its pack and model lines needs more than %d bytes; shorten the note.");

// The name of the note's "Pack:" line, blanks around it removed; empty when
// the note's name lines name no pack.
std::string PackName(const std::string& note);
// The note with its "Pack: NAME" line (replaced, or added as NoteLines says).
// An empty (or blank) `pack` leaves the note untouched.
std::string WithPackLine(const std::string& note, const std::string& pack);

struct CurrentStep {
    int before = 0;  // last sample of the steady stretch before
    int after = 0;   // first sample of the steady stretch after
    double deltaAmps = 0.0;
    double deltaVolts = 0.0;
    double ohms = 0.0;
};

// Every current step of a flight, in time order. `rate` 0 reads as 1.
std::vector<CurrentStep> FindCurrentSteps(std::span<const float> voltage,
                                          std::span<const float> current, int rate);
// The median of the steps' resistances (the mean of the middle two for an
// even count); empty without a step.
std::optional<double> MedianOhms(const std::vector<CurrentStep>& steps);
std::optional<double> Median(std::vector<double> values);
// A record's estimate from its index (empty without voltage and current).
std::optional<double> FlightResistance(const SpanIndex& index);

// What a pack's row needs from one flight.
struct PackFlight {
    std::string pack;
    std::int64_t time = 0;  // seconds since 1970
    std::optional<double> capacityMah;
    std::optional<double> minCellVoltage;
    std::optional<double> ohms;
    int flightNumber = 0;  // in the logger at its upload; orders flights of one upload
};

struct PackRow {
    std::string pack;
    int flights = 0;
    double totalMah = 0.0;  // over the flights that have a capacity
    std::optional<double> meanMah;
    std::optional<double> minCellVoltage;
    std::optional<double> ohms;  // median over the flights' estimates
    std::int64_t firstFlight = 0;
    std::int64_t lastFlight = 0;
    std::vector<PackFlight> history;  // its flights by date, then flight number
};

// One row per named pack, sorted by name; flights without a pack are left out.
std::vector<PackRow> SummarizePacks(std::vector<PackFlight> flights);

}  // namespace tavix
