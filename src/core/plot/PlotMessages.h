#pragma once
// The record page's own words: statistics captions, the read-out formats, the
// tooltip and status text, the axis label formats and the chart export texts.
// Text with the degree sign is GBK bytes (A1 E6), as every text of the program.

#include <string_view>

#include "base/Translate.h"
#include "flight/FlightRecord.h"

namespace tavix {

// Statistics captions, in the order they stand on the page: each value follows
// its caption, and the next caption begins with the unit of the value before.
inline constexpr const char* kCaptionMaxCurrent = TAVIX_TR("Max.Current :");
inline constexpr const char* kCaptionMinVoltage = TAVIX_TR("A,   Min.Voltage :");
inline constexpr const char* kCaptionMaxThrottle = TAVIX_TR("V,   Max.Throttle :");
inline constexpr const char* kCaptionMaxPower = TAVIX_TR("Max.Power :");
inline constexpr const char* kCaptionMaxTemperature = TAVIX_TR("W,  Max.Temperature :");
inline constexpr const char* kCaptionSamplingRate = "\xA1\xE6,  Sampling Rate :";
// The same caption after its degree sign (GBK bytes, which the translation
// tools can't read), as the window translates it.
inline constexpr const char* kCaptionSamplingRateWords = TAVIX_TR(",  Sampling Rate :");
static_assert(std::string_view(kCaptionSamplingRate).substr(2) == kCaptionSamplingRateWords);
inline constexpr const char* kCaptionSamplesPerSecond = "ps";
inline constexpr const char* kCaptionPercent = "%";
// What a statistics value reads before any record.
inline constexpr const char* kStatisticNone = "0";
inline constexpr const char* kBtnSnap = TAVIX_TR("Snap");

// Minimum and maximum of a channel, the maximum power.
inline constexpr const char* kFmtStatistic = "%5.1f";
inline constexpr const char* kFmtSamplingRate = "%d";
// A current value: large numbers (an RPM) as a whole number, the rest with one decimal.
inline constexpr const char* kFmtValue = "%.1f";
inline constexpr const char* kFmtLargeValue = "%.0f";
inline constexpr float kLargeValue = 100000.0f;
inline constexpr const char* kFmtFahrenheit = "%.1f";

// The tooltip over the curves (Qt rich text; the line break is turned into one
// the widget renders). Each value is written in the colour of its curve
// ("#rrggbb"), so the tooltip matches the plot whatever colours were chosen.
// The degree sign is an argument (kUnitCelsius): the translation tools read
// only ASCII formats.
inline constexpr const char* kFmtTooltip = TAVIX_TR(
    "<font color=%s>VOL: %sV</font>, <font color=%s>CUR: %sA</font>, "
    "<font color=%s>Thr: %s%%</font>\n<font color=%s>Temp: %s%s</font>, "
    "<font color=%s>RPM: %s</font>");
// Pane 0 of the status bar while the pointer is over the curves.
inline constexpr const char* kFmtStatusValues =
    TAVIX_TR("Current Value: Vol: %sV, Cur: %sA, Thr:%s%%, Temp:%s%s, RPM:%s");
inline constexpr const char* kUnitCelsius = "\xA1\xE6";

// With flights laid over the shown one, the tooltip has a line per quantity
// and the status text an item, each with every flight's value in flight
// order and "-" where a flight has none: "CUR: 12.3A | 11.8A | -". In the
// tooltip each value has its flight's colour, as its curve.
struct ReadoutQuantity {
    int channel;
    const char* label;  // in the tooltip
    const char* statusLabel;
    const char* unit;
};
inline constexpr ReadoutQuantity kOverlayQuantities[] = {
    {kVoltage, TAVIX_TR("VOL"), TAVIX_TR("Vol"), "V"},
    {kCurrent, TAVIX_TR("CUR"), TAVIX_TR("Cur"), "A"},
    {kThrottle, TAVIX_TR("Thr"), TAVIX_TR("Thr"), "%"},
    {kTemperature, TAVIX_TR("Temp"), TAVIX_TR("Temp"), kUnitCelsius},
    {kMotorRpm, TAVIX_TR("RPM"), TAVIX_TR("RPM"), ""},
};
inline constexpr const char* kFmtOverlayTooltipLine = "%s: %s\n";
inline constexpr const char* kFmtTooltipValue = "<font color=%s>%s</font>";
// The tooltip over one plot of the stacked layout: its quantity alone.
inline constexpr const char* kFmtCurveTooltipLine = "%s: %s";
inline constexpr const char* kOverlayTooltipSeparator = " | ";
inline constexpr const char* kOverlayStatusCaption = TAVIX_TR("Current Value:");
inline constexpr const char* kFmtOverlayStatusItem = " %s: %s,";
inline constexpr const char* kOverlayStatusSeparator = "|";
inline constexpr const char* kOverlayPowerLabel = TAVIX_TR("Pwr");
inline constexpr const char* kOverlayPowerStatusLabel = TAVIX_TR("Pwr");
inline constexpr const char* kOverlayNoValue = "-";

// Axis labels. Y by the width of the channel's range, time with the decimals
// its step needs.
inline constexpr const char* kFmtYLabelWide = "%6d ";      // range >= 100
inline constexpr const char* kFmtYLabelMedium = "%6.1f ";  // range >= 10
inline constexpr const char* kFmtYLabelNarrow = "%6.2f ";  // below 10
inline constexpr const char* kFmtTime = "%6.*f";           // decimals, seconds
inline constexpr const char* kLabelTime = TAVIX_TR("Time");
inline constexpr const char* kLabelSeconds = "(s)";

// Measuring cursors: their letters and labels (time, or the sample number in a
// record without a sampling rate).
inline constexpr const char* kCursorLetterA = "A";
inline constexpr const char* kCursorLetterB = "B";
inline constexpr const char* kFmtCursorTime = "%s %.2f s";
inline constexpr const char* kFmtCursorSample = "%s #%d";

// The computed power curve: its name, unit, its part of the tooltip (in the
// curve's own colour, #rrggbb) and of the status text.
inline constexpr const char* kPowerName = TAVIX_TR("Power");
inline constexpr const char* kPowerUnit = "W";
// Over the power curve's scale at the right edge of the plot.
inline constexpr const char* kPowerScaleTitle = TAVIX_TR("Power (W)");
inline constexpr const char* kFmtTooltipPower = TAVIX_TR(", <font color=%s>Pwr: %sW</font>");
inline constexpr const char* kFmtStatusPower = TAVIX_TR(", Pwr:%sW");

// The span between the cursors.
inline constexpr const char* kFmtSpanDuration = "%.2f s";
inline constexpr const char* kFmtSpanSamples = TAVIX_TR("%d samples");
inline constexpr const char* kFmtSpanCapacity = "%.1f mAh";
inline constexpr const char* kFmtSpanEnergy = "%.3f Wh";
inline constexpr const char* kFmtSpanChange = "%+.1f";
inline constexpr const char* kFmtSpanLargeChange = "%+.0f";
// What a span value reads when the record cannot give it.
inline constexpr const char* kSpanNoValue = "-";
// The span panel of the record page: its title, captions, the rows of each
// curve's column and what it says before both cursors stand.
inline constexpr const char* kSpanTitle = TAVIX_TR("Cursors A-B");
inline constexpr const char* kSpanCaptionDuration = TAVIX_TR("Duration:");
inline constexpr const char* kSpanCaptionCapacity = TAVIX_TR("Capacity:");
inline constexpr const char* kSpanCaptionEnergy = TAVIX_TR("Energy:");
inline constexpr const char* kSpanRowMin = TAVIX_TR("Min");
inline constexpr const char* kSpanRowMax = TAVIX_TR("Max");
inline constexpr const char* kSpanRowMean = TAVIX_TR("Mean");
inline constexpr const char* kSpanRowChange = TAVIX_TR("A->B");
inline constexpr const char* kSpanHint = TAVIX_TR(
    "Shift+click places cursor A, Ctrl+click cursor B; drag a cursor or press Left/Right to move "
    "it, Esc removes both.");
// The record page's power controls.
inline constexpr const char* kPowerCheckCaption = TAVIX_TR("Power curve");
inline constexpr const char* kPowerColourTip = TAVIX_TR("Colour of the power curve");
// A chosen colour that config.ini could not keep: the file and the reason.
inline constexpr const char* kMsgPowerColourNotSaved =
    TAVIX_TR("The power curve's colour holds until Tavix closes, but %s could not be written: %s");

// Chart image export.
inline constexpr const char* kMsgImageSaveError = TAVIX_TR("Image save error!");

}  // namespace tavix
