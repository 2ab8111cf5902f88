#include "plot/SpanReadout.h"

#include <array>
#include <cmath>

#include "base/FormatText.h"
#include "base/PlainText.h"
#include "base/Translate.h"
#include "plot/CurveModel.h"
#include "plot/PlotMessages.h"

namespace tavix {

namespace {

std::string ChangeText(float change) {
    if (!std::isfinite(change)) {
        return ValueText(change);
    }
    return FormatText(std::fabs(change) > kLargeValue ? kFmtSpanLargeChange : kFmtSpanChange,
                      static_cast<double>(change));
}

}  // namespace

std::string QuantityUnit(int quantity) {
    static constexpr std::array<const char*, kQuantityCount> kUnits{
        "V", "A", "%", "\xA1\xE6", "rpm", "", "", "", kPowerUnit};
    return quantity >= 0 && quantity < kQuantityCount ? kUnits[quantity] : "";
}

SpanReadout WordSpan(const SpanStatistics& span, const FlightRecord& record, bool powerShown) {
    SpanReadout out;
    out.complete = true;
    out.duration = span.seconds ? FormatText(kFmtSpanDuration, *span.seconds)
                                : FormatShown(kFmtSpanSamples, span.last - span.first);
    out.capacity = span.capacityMah ? FormatText(kFmtSpanCapacity, *span.capacityMah)
                                    : std::string(kSpanNoValue);
    out.energy =
        span.energyWh ? FormatText(kFmtSpanEnergy, *span.energyWh) : std::string(kSpanNoValue);
    for (int s = 0; s < kQuantityCount; ++s) {
        const QuantitySpan& quantity = span.quantities[s];
        const bool shown = s == kPowerQuantity ? powerShown : record.channels[s].visible != 0;
        if (!quantity.present || !shown) {
            continue;
        }
        SpanRow row;
        row.quantity = s;
        row.name = s == kPowerQuantity ? std::string(kPowerName)
                                       : TrimmedRight(FixedText(record.channels[s].name), " ");
        row.unit = QuantityUnit(s);
        if (quantity.valid > 0) {
            row.min = ValueText(quantity.min);
            row.max = ValueText(quantity.max);
            row.mean = ValueText(static_cast<float>(quantity.mean));
        } else {
            row.min = row.max = row.mean = kSpanNoValue;
        }
        // A to B, whichever stands first in time.
        row.change = ChangeText(span.swapped ? -quantity.change : quantity.change);
        out.rows.push_back(std::move(row));
    }
    return out;
}

SpanReadout ReadSpan(const CurveModel& model) {
    const MeasureCursors& cursors = model.Cursors();
    SpanReadout out;
    if (const std::optional<SpanStatistics> span = cursors.Span()) {
        out = WordSpan(*span, model.Record(), model.PowerShown() && model.PowerAvailable());
    } else {
        out.duration = out.capacity = out.energy = kSpanNoValue;
    }
    out.labelA = cursors.Label(Cursor::A);
    out.labelB = cursors.Label(Cursor::B);
    return out;
}

}  // namespace tavix
