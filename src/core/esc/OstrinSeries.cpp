// The Ostrin series (car ESCs): fourteen lists in three columns, an editable
// temperature offset, and the throttle calibration the ESC learned from the
// transmitter (reverse end, neutral, forward end), shown as ranges and
// written back as read, but only while the three are in order.
#include "device/DeviceVersion.h"
#include "esc/EscSeries.h"

namespace tavix {

const EscSeriesTable& OstrinTable() {
    static const EscSeriesTable table = [] {
        EscSeriesTable t;
        t.series = kSeriesOstrin;
        t.name = "Ostrin";
        t.caption = "Ostrin series";
        t.columns = 3;
        const std::vector<std::string> amounts = {"25%", "50%", "75%", "100%"};
        t.lists = {
            {.label = "Low Voltage Cutoff:",
             .offset = 1,
             .entries = {"Auto", "5.0V", "6.0V (2 Lipo)", "7.2V", "8.4V", "9.0V (3 Lipo)",
                         "Disable"},
             .defaultIndex = 6,
             .row = 0,
             .column = 0},
            {.label = "Lipo cell Cutoff Voltage:",
             .offset = 2,
             .entries = {"2.5V", "2.6V", "2.7V", "2.8V", "2.9V", "3.0V", "3.1V"},
             .defaultIndex = 5,
             .row = 0,
             .column = 1},
            {.label = "Current Limit:",
             .offset = 3,
             .entries = {"Sensitivity", "Standard", "Insensitivity", "Close"},
             .defaultIndex = 1,
             .row = 0,
             .column = 2},
            // The ESC keeps Over-heat Protection before Timing Advance, the
            // other way round from the page. 0xA1 0xE6 is the degree Celsius sign.
            {.label = "Timing Advance:",
             .offset = 5,
             .entries = {"Low", "Middle", "High", "Auto"},
             .defaultIndex = 3,
             .row = 1,
             .column = 0},
            {.label = "Over-heat Protection:",
             .offset = 4,
             .entries = {"95\xA1\xE6(203F)", "Close"},
             .defaultIndex = 0,
             .row = 1,
             .column = 1},
            {.label = "Neutral Range:",
             .offset = 6,
             .entries = {"6% (Narrow)", "9% (Standard)", "12% (Wide)"},
             .defaultIndex = 1,
             .row = 1,
             .column = 2},
            {.label = "Start Mode:",
             .offset = 7,
             .entries = {"Soft", "Standard", "Fast", "Very Fast"},
             .defaultIndex = 1,
             .row = 2,
             .column = 0},
            {.label = "Running Mode:",
             .offset = 8,
             .entries = {"Forward and Brake", "For/brake stop/Rev", "For/brake/Rev"},
             .defaultIndex = 2,
             .row = 2,
             .column = 1},
            {.label = "PWM Rate:",
             .offset = 9,
             .entries = {"8 KHz", "12 KHz", "16 KHz"},
             .defaultIndex = 0,
             .row = 2,
             .column = 2},
            {.label = "Drag Brake:",
             .offset = 10,
             .entries = {"0%", "5%", "10%", "15%", "20%", "25%", "30%", "40%"},
             .defaultIndex = 2,
             .row = 3,
             .column = 0},
            {.label = "Brake Amount:",
             .offset = 11,
             .entries = amounts,
             .defaultIndex = 1,
             .row = 3,
             .column = 1},
            {.label = "Reverse Amount:",
             .offset = 12,
             .entries = amounts,
             .defaultIndex = 1,
             .row = 3,
             .column = 2},
            {.label = "Motor Type:",
             .offset = 13,
             .entries = {"Brushless", "Brushed (For/Rev)", "For/brake/Rev"},
             .defaultIndex = 0,
             .row = 4,
             .column = 0},
            {.label = "ABS Brake Rate:",
             .offset = 14,
             .entries = {"83 HZ", "90 HZ", "100 HZ", "111 HZ", "133 HZ", "166 HZ", "240 HZ",
                         "320 HZ"},
             .defaultIndex = 6,
             .row = 5,
             .column = 0},
        };
        t.fields = {
            {.field = EscField::ForwardRange,
             .label = "Forward Throttle Range:",
             .unit = "uS",
             .row = 4,
             .column = 1},
            {.field = EscField::Neutral,
             .label = "Throttle Neutral:",
             .unit = "uS",
             .row = 4,
             .column = 2},
            {.field = EscField::ReverseRange,
             .label = "Reverse Throttle Range:",
             .unit = "uS",
             .row = 5,
             .column = 1},
            {.field = EscField::TemperatureOffset,
             .label = "Temperature Offset:",
             .unit = "",
             .row = 5,
             .column = 2},
        };
        t.temperatureOffset = 15;
        t.calibrationOffset = 128;
        return t;
    }();
    return table;
}

}  // namespace tavix
