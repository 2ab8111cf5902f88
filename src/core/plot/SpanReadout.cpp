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

std::string SeriesUnit(int series) {
    static constexpr std::array<const char*, kSeriesCount> kUnits{"V", "A", "%", "\xA1\xE6", "rpm",
                                                                  "",  "",  "",  kPowerUnit};
    return series >= 0 && series < kSeriesCount ? kUnits[series] : "";
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
    for (int s = 0; s < kSeriesCount; ++s) {
        const SeriesSpan& series = span.series[s];
        const bool shown = s == kPowerSeries ? powerShown : record.channels[s].visible != 0;
        if (!series.present || !shown) {
            continue;
        }
        SpanRow row;
        row.series = s;
        row.name = s == kPowerSeries ? std::string(kPowerName)
                                     : TrimmedRight(FixedText(record.channels[s].name), " ");
        row.unit = SeriesUnit(s);
        if (series.valid > 0) {
            row.min = ValueText(series.min);
            row.max = ValueText(series.max);
            row.mean = ValueText(static_cast<float>(series.mean));
        } else {
            row.min = row.max = row.mean = kSpanNoValue;
        }
        // A to B, whichever stands first in time.
        row.change = ChangeText(span.swapped ? -series.change : series.change);
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
