#pragma once
// What a pilot computes from a flight besides its curves: the electrical
// power and its maximum, the capacity and energy drawn from the battery, the
// average current, and the battery's cell count with the lowest voltage per
// cell. Everything is computed from the values the curves draw (SpanIndex);
// nothing here is stored in a record file.

#include <optional>
#include <string>
#include <vector>

#include "analysis/SpanIndex.h"

namespace tavix {

struct FlightQuantities {
    bool hasPower = false;  // the record has voltage and current
    // Largest voltage x current product, starting from 0, as the record
    // page's "Max.Power".
    float maxPower = 0.0f;
    // Need the sampling rate (capacity and energy also voltage and current).
    std::optional<double> seconds;
    std::optional<double> capacityMah;
    std::optional<double> energyWh;
    // A, mean of the current samples (needs a current channel only).
    std::optional<double> averageCurrent;
    // From the highest voltage; 0 when the record shows no voltage above 0.
    int cells = 0;
    float maxVoltage = 0.0f;
    float minVoltage = 0.0f;
    std::optional<double> minCellVoltage;  // minVoltage / cells
};

// The battery's cell count from its highest voltage: the fewest cells that
// hold it at 4.2 V each, so 4.2 V is 1 cell and 4.21 V is 2. The voltage is
// taken to the millivolt first, so 8.4 V read through single precision (a
// hair above 8.4) still counts 2 cells. 0 for voltages of 0 or below, or not
// a number.
int CellCount(double maxVolts);

// Over the whole record.
FlightQuantities ComputeQuantities(const SpanIndex& index);
// Over a span of the record (SpanIndex::Span or Whole). The battery is the
// flight's: its cells come from the highest voltage of the whole record, and
// the span's lowest voltage is divided by them.
FlightQuantities ComputeQuantities(const SpanIndex& index, const SpanStatistics& span);

// The computed quantities as the record page shows them beside its
// statistics: a caption and a value text each, in this order: maximum power,
// capacity, energy, average current, cells, minimum voltage per cell. A value
// the record cannot give reads "-".
struct QuantityText {
    std::string caption;
    std::string value;
};
std::vector<QuantityText> QuantityTexts(const FlightQuantities& quantities);
// The same for a converted flight (FlightData::Convert), as the record page
// shows it beside its statistics.
std::vector<QuantityText> QuantityTexts(const FlightData& data);

}  // namespace tavix
