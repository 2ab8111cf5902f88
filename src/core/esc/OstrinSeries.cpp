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
            {"Low Voltage Cutoff:",
             1,
             {"Auto", "5.0V", "6.0V (2 Lipo)", "7.2V", "8.4V", "9.0V (3 Lipo)", "Disable"},
             6,
             false,
             0,
             0},
            {"Lipo cell Cutoff Voltage:",
             2,
             {"2.5V", "2.6V", "2.7V", "2.8V", "2.9V", "3.0V", "3.1V"},
             5,
             false,
             0,
             1},
            {"Current Limit:",
             3,
             {"Sensitivity", "Standard", "Insensitivity", "Close"},
             1,
             false,
             0,
             2},
            // The ESC keeps Over-heat Protection before Timing Advance, the
            // other way round from the page. 0xA1 0xE6 is the degree Celsius sign.
            {"Timing Advance:", 5, {"Low", "Middle", "High", "Auto"}, 3, false, 1, 0},
            {"Over-heat Protection:", 4, {"95\xA1\xE6(203F)", "Close"}, 0, false, 1, 1},
            {"Neutral Range:", 6, {"6% (Narrow)", "9% (Standard)", "12% (Wide)"}, 1, false, 1, 2},
            {"Start Mode:", 7, {"Soft", "Standard", "Fast", "Very Fast"}, 1, false, 2, 0},
            {"Running Mode:",
             8,
             {"Forward and Brake", "For/brake stop/Rev", "For/brake/Rev"},
             2,
             false,
             2,
             1},
            {"PWM Rate:", 9, {"8 KHz", "12 KHz", "16 KHz"}, 0, false, 2, 2},
            {"Drag Brake:",
             10,
             {"0%", "5%", "10%", "15%", "20%", "25%", "30%", "40%"},
             2,
             false,
             3,
             0},
            {"Brake Amount:", 11, amounts, 1, false, 3, 1},
            {"Reverse Amount:", 12, amounts, 1, false, 3, 2},
            {"Motor Type:",
             13,
             {"Brushless", "Brushed (For/Rev)", "For/brake/Rev"},
             0,
             false,
             4,
             0},
            {"ABS Brake Rate:",
             14,
             {"83 HZ", "90 HZ", "100 HZ", "111 HZ", "133 HZ", "166 HZ", "240 HZ", "320 HZ"},
             6,
             false,
             5,
             0},
        };
        t.fields = {
            {EscField::ForwardRange, "Forward Throttle Range:", "uS", 4, 1},
            {EscField::Neutral, "Throttle Neutral:", "uS", 4, 2},
            {EscField::ReverseRange, "Reverse Throttle Range:", "uS", 5, 1},
            {EscField::TemperatureOffset, "Temperature Offset:", "", 5, 2},
        };
        t.temperatureOffset = 15;
        t.calibrationOffset = 128;
        return t;
    }();
    return table;
}

}  // namespace tavix
