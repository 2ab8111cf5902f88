// The Velmor series (boat ESCs): seven lists in two columns, the throttle
// range, and a Current Limiting list that the page holds but never shows, so
// its byte in effect passes from the read to the write unchanged.
#include <algorithm>

#include "device/DeviceVersion.h"
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
            {"LVC:",
             1,
             {"Auto", "5.0V", "2 Cells", "7.2V", "8.4V", "3 Cells", "4 Cells", "5 Cells", "6 Cells",
              "7 Cells", "8 Cells", "9 Cells", "10 Cells", "11 Cells", "12 Cells"},
             1,
             false,
             0,
             0},
            {"Cutoff Voltage/Cell:",
             7,
             {"2.5 V", "2.6 V", "2.7 V", "2.8 V", "2.9 V", "3.0 V", "3.1 V", "3.2 V", "3.3 V"},
             5,
             false,
             0,
             1},
            {"Brake  Types:", 3, {"No Brake", "Soft Brake", "Hard Brake"}, 0, false, 1, 0},
            {"Timing Advance:", 4, {"Low", "Middle", "High", "Auto"}, 3, false, 1, 1},
            {"Cutoff Type:", 5, {"Hard Cutoff", "Soft Cutoff"}, 0, false, 2, 0},
            {"Startup Type:", 6, {"Soft Start", "Standard", "Fast Start"}, 1, false, 2, 1},
            {"PWM Rate:", 8, {"8 KHz", "12 KHz", "16 KHz"}, 0, false, 3, 0},
            {"Current Limiting:", 2, limiting, 1, true, -1, -1},
        };
        t.fields = {{EscField::ThrottleRange, "Throttle Range:", "uS", 3, 1}};
        t.keptOffsets = {9, 10, 11, 12};
        t.throttleByteOffset = 9;
        return t;
    }();
    return table;
}

}  // namespace tavix
