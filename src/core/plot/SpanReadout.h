#pragma once
// What the record page shows for the stretch between the measuring cursors:
// each cursor's time, the duration, the capacity and energy drawn, and for
// each curve on screen (the visible channels, then the power curve when it is
// drawn) its minimum, maximum and mean in physical units and its change from
// A to B. The numbers are SpanIndex's; this only words them.

#include <string>
#include <vector>

#include "analysis/SpanIndex.h"
#include "flight/FlightRecord.h"

namespace tavix {

class CurveModel;

struct SpanRow {
    int quantity = 0;  // a channel, or kPowerQuantity
    std::string name;  // the channel's name without trailing blanks (GBK)
    std::string unit;  // "V", "A", "%", the degree sign (GBK), "rpm", "W" or ""
    std::string min;
    std::string max;
    std::string mean;
    std::string change;  // from A to B, signed: "+1.5", "-0.3"
};

struct SpanReadout {
    bool complete = false;  // both cursors stand on a record
    std::string labelA;     // "A 12.35 s", "" while not placed
    std::string labelB;
    std::string duration;  // "2.80 s", or "56 samples" without a sampling rate
    std::string capacity;  // "12.3 mAh"
    std::string energy;    // "0.123 Wh"
    std::vector<SpanRow> rows;
};

// The unit of a channel or of the power quantity.
std::string QuantityUnit(int quantity);

// The span's texts for `record` (whose channel names and display flags give
// the rows) with the power row when `powerShown`. A value the record cannot
// give (no sampling rate, no current channel, no finite value) reads "-".
SpanReadout WordSpan(const SpanStatistics& span, const FlightRecord& record, bool powerShown);

// The readout of the model's cursors: incomplete (only the labels of the
// cursors placed, the values "-", no rows) until both are placed.
SpanReadout ReadSpan(const CurveModel& model);

}  // namespace tavix
