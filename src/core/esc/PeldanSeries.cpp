// The Peldan series: eight lists in two columns, the low-voltage cut-off set
// as a cell count plus a voltage per cell, and the throttle range the page
// only shows.
#include "device/DeviceVersion.h"
#include "esc/EscSeries.h"

namespace tavix {

const EscSeriesTable& PeldanTable() {
    static const EscSeriesTable table = [] {
        EscSeriesTable t;
        t.series = kSeriesPeldan;
        t.name = "Peldan";
        t.caption = "Peldan Series";
        t.columns = 2;
        // The index is the cell count.
        std::vector<std::string> cells = {"Auto", "1 cell"};
        for (int n = 2; n <= 20; ++n) {
            cells.push_back(std::to_string(n) + " cells");
        }
        t.lists = {
            {"LVC:", 1, cells, 4, false, 0, 0},
            {"LVC / per cell:",
             8,
             {"2.5 V", "2.6 V", "2.7 V", "2.8 V", "2.9 V", "3.0 V", "3.1 V", "3.2 V", "3.3 V"},
             5,
             false,
             0,
             1},
            {"Current Limiting:",
             2,
             {"Sensitivity", "Standard", "Insensitivity", "Close"},
             1,
             false,
             1,
             0},
            {"Brake Types:", 3, {"No Brake", "Soft Brake", "Hard Brake"}, 0, false, 1, 1},
            {"Timing Advance:", 4, {"Low", "Middle", "High", "Auto"}, 3, false, 2, 0},
            {"Cutoff Type:", 5, {"Hard Cutoff", "Soft Cutoff"}, 0, false, 2, 1},
            {"Startup Type:", 6, {"Soft Start", "Standard", "Fast Start"}, 1, false, 3, 0},
            {"Governor Mode:", 7, {"Auto", "Low RPM", "High RPM"}, 0, false, 3, 1},
        };
        t.fields = {{EscField::ThrottleRange, "Throttle Range:", "uS", 4, 0}};
        t.keptOffsets = {9, 10};
        t.throttleByteOffset = 9;
        return t;
    }();
    return table;
}

}  // namespace tavix
