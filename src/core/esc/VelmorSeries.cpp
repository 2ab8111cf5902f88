// The Velmor series (boat ESCs): seven lists in two columns, the throttle
// range, and a Current Limiting list that the page holds but never shows, so
// its byte in effect passes from the read to the write unchanged.
#include <algorithm>

#include "device/DeviceVersion.h"
#include "esc/EscExplanations.h"
#include "esc/EscSeries.h"

namespace tavix {

const EscSeriesTable& VelmorTable() {
    static const EscSeriesTable table = [] {
        EscSeriesTable t;
        t.series = kSeriesVelmor;
        t.name = "Velmor";
        t.caption = "Velmor series";
        t.columns = 2;
        // The hidden list is a sorted list: whatever order its entries are
        // added in, their indexes are those of the alphabetical order, and
        // that is what the ESC's byte means here.
        std::vector<std::string> limiting = {"Sensitivity", "Standard", "Insensitivity", "Close"};
        std::sort(limiting.begin(), limiting.end());
        t.lists = {
            {.label = "LVC:",
             .offset = 1,
             .entries = {"Auto", "5.0V", "2 Cells", "7.2V", "8.4V", "3 Cells", "4 Cells", "5 Cells",
                         "6 Cells", "7 Cells", "8 Cells", "9 Cells", "10 Cells", "11 Cells",
                         "12 Cells"},
             .defaultIndex = 1,
             .row = 0,
             .column = 0,
             .explain = explain::kLowVoltageCutoff},
            {.label = "Cutoff Voltage/Cell:",
             .offset = 7,
             .entries = {"2.5 V", "2.6 V", "2.7 V", "2.8 V", "2.9 V", "3.0 V", "3.1 V", "3.2 V",
                         "3.3 V"},
             .defaultIndex = 5,
             .row = 0,
             .column = 1,
             .unit = "V per cell",
             .explain = explain::kCellCutoff},
            {.label = "Brake  Types:",
             .offset = 3,
             .entries = {"No Brake", "Soft Brake", "Hard Brake"},
             .defaultIndex = 0,
             .row = 1,
             .column = 0,
             .explain = explain::kBrakeTypes},
            {.label = "Timing Advance:",
             .offset = 4,
             .entries = {"Low", "Middle", "High", "Auto"},
             .defaultIndex = 3,
             .row = 1,
             .column = 1,
             .explain = explain::kTimingAdvance},
            {.label = "Cutoff Type:",
             .offset = 5,
             .entries = {"Hard Cutoff", "Soft Cutoff"},
             .defaultIndex = 0,
             .row = 2,
             .column = 0,
             .explain = explain::kCutoffType},
            {.label = "Startup Type:",
             .offset = 6,
             .entries = {"Soft Start", "Standard", "Fast Start"},
             .defaultIndex = 1,
             .row = 2,
             .column = 1,
             .explain = explain::kStartupType},
            {.label = "PWM Rate:",
             .offset = 8,
             .entries = {"8 KHz", "12 KHz", "16 KHz"},
             .defaultIndex = 0,
             .row = 3,
             .column = 0,
             .unit = "KHz",
             .explain = explain::kPwmRate},
            {.label = "Current Limiting:",
             .offset = 2,
             .entries = limiting,
             .defaultIndex = 1,
             .hidden = true,
             .row = -1,
             .column = -1,
             .explain = explain::kCurrentLimiting},
        };
        t.fields = {
            {.field = EscField::ThrottleRange,
             .label = "Throttle Range:",
             .unit = "uS",
             .row = 3,
             .column = 1,
             .explain = explain::kThrottleRange},
        };
        t.keptOffsets = {9, 10, 11, 12};
        t.throttleByteOffset = 9;
        return t;
    }();
    return table;
}

}  // namespace tavix
