#include "analysis/FlightQuantities.h"

#include <algorithm>
#include <cmath>

#include "analysis/AnalysisMessages.h"
#include "base/FormatText.h"

namespace tavix {

int CellCount(double maxVolts) {
    if (!(maxVolts > 0.0)) {
        return 0;
    }
    constexpr long long kCellMillivolts = 4200;
    const long long millivolts = std::llround(std::min(maxVolts, 1.0e9) * 1000.0);
    return static_cast<int>((millivolts + kCellMillivolts - 1) / kCellMillivolts);
}

FlightQuantities ComputeQuantities(const SpanIndex& index) {
    return ComputeQuantities(index, index.Whole());
}

FlightQuantities ComputeQuantities(const SpanIndex& index, const SpanStatistics& span) {
    FlightQuantities q;
    q.seconds = span.seconds;
    q.hasPower = index.HasPower();
    if (q.hasPower) {
        const QuantitySpan& power = span.quantities[kPowerQuantity];
        q.maxPower = power.valid > 0 && power.max > 0.0f ? power.max : 0.0f;
        q.capacityMah = span.capacityMah;
        q.energyWh = span.energyWh;
        if (span.quantities[kCurrent].valid > 0) {
            q.averageCurrent = span.quantities[kCurrent].mean;
        }
    }
    const QuantitySpan& voltage = span.quantities[kVoltage];
    if (voltage.present && voltage.valid > 0) {
        q.maxVoltage = voltage.max;
        q.minVoltage = voltage.min;
        const bool whole = span.first == 0 && span.last == index.Samples() - 1;
        q.cells = CellCount(whole ? voltage.max : index.Whole().quantities[kVoltage].max);
        if (q.cells > 0) {
            q.minCellVoltage = static_cast<double>(voltage.min) / q.cells;
        }
    }
    return q;
}

std::vector<QuantityText> QuantityTexts(const FlightQuantities& q) {
    auto number = [](const char* format, const std::optional<double>& value) {
        return value ? FormatText(format, *value) : std::string(kNoValue);
    };
    return {
        {kQuantityMaxPower,
         q.hasPower ? FormatText(kFormatPower, static_cast<double>(q.maxPower)) : kNoValue},
        {kCaptionCapacity, number(kFormatCapacity, q.capacityMah)},
        {kCaptionEnergy, number(kFormatEnergy, q.energyWh)},
        {kCaptionAverageCurrent, number(kFormatCurrent, q.averageCurrent)},
        {kCaptionCells, q.cells > 0 ? FormatText(kFormatCells, q.cells) : kNoValue},
        {kCaptionMinCellVoltage, number(kFormatCellVoltage, q.minCellVoltage)},
    };
}

std::vector<QuantityText> QuantityTexts(const FlightData& data) {
    return QuantityTexts(ComputeQuantities(SpanIndex(data)));
}

}  // namespace tavix
