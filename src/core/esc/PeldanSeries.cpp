// The Peldan series: eight lists in two columns, the low-voltage cut-off set
// as a cell count plus a voltage per cell, and the throttle range the page
// only shows.
#include "device/DeviceVersion.h"
#include "esc/EscExplanations.h"
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
            {.label = "LVC:",
             .offset = 1,
             .entries = cells,
             .defaultIndex = 4,
             .row = 0,
             .column = 0,
             .unit = "cells",
             .explain = explain::kPeldanCells},
            {.label = "LVC / per cell:",
             .offset = 8,
             .entries = {"2.5 V", "2.6 V", "2.7 V", "2.8 V", "2.9 V", "3.0 V", "3.1 V", "3.2 V",
                         "3.3 V"},
             .defaultIndex = 5,
             .row = 0,
             .column = 1,
             .unit = "V per cell",
             .explain = explain::kCellCutoff},
            {.label = "Current Limiting:",
             .offset = 2,
             .entries = {"Sensitivity", "Standard", "Insensitivity", "Close"},
             .defaultIndex = 1,
             .row = 1,
             .column = 0,
             .explain = explain::kCurrentLimiting},
            {.label = "Brake Types:",
             .offset = 3,
             .entries = {"No Brake", "Soft Brake", "Hard Brake"},
             .defaultIndex = 0,
             .row = 1,
             .column = 1,
             .explain = explain::kBrakeTypes},
            {.label = "Timing Advance:",
             .offset = 4,
             .entries = {"Low", "Middle", "High", "Auto"},
             .defaultIndex = 3,
             .row = 2,
             .column = 0,
             .explain = explain::kTimingAdvance},
            {.label = "Cutoff Type:",
             .offset = 5,
             .entries = {"Hard Cutoff", "Soft Cutoff"},
             .defaultIndex = 0,
             .row = 2,
             .column = 1,
             .explain = explain::kCutoffType},
            {.label = "Startup Type:",
             .offset = 6,
             .entries = {"Soft Start", "Standard", "Fast Start"},
             .defaultIndex = 1,
             .row = 3,
             .column = 0,
             .explain = explain::kStartupType},
            {.label = "Governor Mode:",
             .offset = 7,
             .entries = {"Auto", "Low RPM", "High RPM"},
             .defaultIndex = 0,
             .row = 3,
             .column = 1,
             .explain = explain::kGovernorMode},
        };
        t.fields = {
            {.field = EscField::ThrottleRange,
             .label = "Throttle Range:",
             .unit = "uS",
             .row = 4,
             .column = 0,
             .explain = explain::kThrottleRange},
        };
        t.keptOffsets = {9, 10};
        t.throttleByteOffset = 9;
        return t;
    }();
    return table;
}

}  // namespace tavix
