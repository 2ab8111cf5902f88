// The Ostrin series (car ESCs): fourteen lists in three columns, an editable
// temperature offset, and the throttle calibration the ESC learned from the
// transmitter (reverse end, neutral, forward end), shown as ranges and
// written back as read, but only while the three are in order.
#include "base/Translate.h"
#include "device/DeviceVersion.h"
#include "esc/EscExplanations.h"
#include "esc/EscSeries.h"

namespace tavix {

const EscSeriesTable& OstrinTable() {
    static const EscSeriesTable table = [] {
        EscSeriesTable t;
        t.series = kSeriesOstrin;
        t.name = "Ostrin";
        t.caption = TAVIX_TR("Ostrin series");
        t.columns = 3;
        const std::vector<std::string> amounts = {"25%", "50%", "75%", "100%"};
        t.lists = {
            {.label = TAVIX_TR("Low Voltage Cutoff:"),
             .offset = 1,
             .entries = {TAVIX_TR("Auto"), "5.0V", "6.0V (2 Lipo)", "7.2V", "8.4V", "9.0V (3 Lipo)",
                         TAVIX_TR("Disable")},
             .defaultIndex = 6,
             .row = 0,
             .column = 0,
             .unit = "V",
             .explain = explain::kLowVoltageCutoff},
            {.label = TAVIX_TR("Lipo cell Cutoff Voltage:"),
             .offset = 2,
             .entries = {"2.5V", "2.6V", "2.7V", "2.8V", "2.9V", "3.0V", "3.1V"},
             .defaultIndex = 5,
             .row = 0,
             .column = 1,
             .unit = TAVIX_TR("V per cell"),
             .explain = explain::kCellCutoff},
            {.label = TAVIX_TR("Current Limit:"),
             .offset = 3,
             .entries = {TAVIX_TR("Sensitivity"), TAVIX_TR("Standard"), TAVIX_TR("Insensitivity"), TAVIX_TR("Close")},
             .defaultIndex = 1,
             .row = 0,
             .column = 2,
             .explain = explain::kCurrentLimiting},
            // The ESC keeps Over-heat Protection before Timing Advance, the
            // other way round from the page. 0xA1 0xE6 is the degree Celsius sign.
            {.label = TAVIX_TR("Timing Advance:"),
             .offset = 5,
             .entries = {TAVIX_TR("Low"), TAVIX_TR("Middle"), TAVIX_TR("High"), TAVIX_TR("Auto")},
             .defaultIndex = 3,
             .row = 1,
             .column = 0,
             .explain = explain::kTimingAdvance},
            {.label = TAVIX_TR("Over-heat Protection:"),
             .offset = 4,
             .entries = {"95\xA1\xE6(203F)", TAVIX_TR("Close")},
             .defaultIndex = 0,
             .row = 1,
             .column = 1,
             .unit = "\xA1\xE6",
             .explain = explain::kOverheat},
            {.label = TAVIX_TR("Neutral Range:"),
             .offset = 6,
             .entries = {TAVIX_TR("6% (Narrow)"), TAVIX_TR("9% (Standard)"), TAVIX_TR("12% (Wide)")},
             .defaultIndex = 1,
             .row = 1,
             .column = 2,
             .unit = TAVIX_TR("% of throttle"),
             .explain = explain::kNeutralRange},
            {.label = TAVIX_TR("Start Mode:"),
             .offset = 7,
             .entries = {TAVIX_TR("Soft"), TAVIX_TR("Standard"), TAVIX_TR("Fast"), TAVIX_TR("Very Fast")},
             .defaultIndex = 1,
             .row = 2,
             .column = 0,
             .explain = explain::kStartupType},
            {.label = TAVIX_TR("Running Mode:"),
             .offset = 8,
             .entries = {TAVIX_TR("Forward and Brake"), TAVIX_TR("For/brake stop/Rev"), TAVIX_TR("For/brake/Rev")},
             .defaultIndex = 2,
             .row = 2,
             .column = 1,
             .explain = explain::kRunningMode},
            {.label = TAVIX_TR("PWM Rate:"),
             .offset = 9,
             .entries = {"8 KHz", "12 KHz", "16 KHz"},
             .defaultIndex = 0,
             .row = 2,
             .column = 2,
             .unit = "KHz",
             .explain = explain::kPwmRate},
            {.label = TAVIX_TR("Drag Brake:"),
             .offset = 10,
             .entries = {"0%", "5%", "10%", "15%", "20%", "25%", "30%", "40%"},
             .defaultIndex = 2,
             .row = 3,
             .column = 0,
             .unit = "%",
             .explain = explain::kDragBrake},
            {.label = TAVIX_TR("Brake Amount:"),
             .offset = 11,
             .entries = amounts,
             .defaultIndex = 1,
             .row = 3,
             .column = 1,
             .unit = "%",
             .explain = explain::kBrakeAmount},
            {.label = TAVIX_TR("Reverse Amount:"),
             .offset = 12,
             .entries = amounts,
             .defaultIndex = 1,
             .row = 3,
             .column = 2,
             .unit = "%",
             .explain = explain::kReverseAmount},
            {.label = TAVIX_TR("Motor Type:"),
             .offset = 13,
             .entries = {TAVIX_TR("Brushless"), TAVIX_TR("Brushed (For/Rev)"), TAVIX_TR("For/brake/Rev")},
             .defaultIndex = 0,
             .row = 4,
             .column = 0,
             .explain = explain::kMotorType},
            {.label = TAVIX_TR("ABS Brake Rate:"),
             .offset = 14,
             .entries = {"83 HZ", "90 HZ", "100 HZ", "111 HZ", "133 HZ", "166 HZ", "240 HZ",
                         "320 HZ"},
             .defaultIndex = 6,
             .row = 5,
             .column = 0,
             .unit = "HZ",
             .explain = explain::kAbsBrakeRate},
        };
        t.fields = {
            {.field = EscField::ForwardRange,
             .label = TAVIX_TR("Forward Throttle Range:"),
             .unit = "uS",
             .row = 4,
             .column = 1,
             .explain = explain::kForwardRange},
            {.field = EscField::Neutral,
             .label = TAVIX_TR("Throttle Neutral:"),
             .unit = "uS",
             .row = 4,
             .column = 2,
             .explain = explain::kNeutral},
            {.field = EscField::ReverseRange,
             .label = TAVIX_TR("Reverse Throttle Range:"),
             .unit = "uS",
             .row = 5,
             .column = 1,
             .explain = explain::kReverseRange},
            {.field = EscField::TemperatureOffset,
             .label = TAVIX_TR("Temperature Offset:"),
             .unit = "",
             .row = 5,
             .column = 2,
             .explain = explain::kTemperatureOffset},
        };
        t.temperatureOffset = 15;
        t.calibrationOffset = 128;
        return t;
    }();
    return table;
}

}  // namespace tavix
