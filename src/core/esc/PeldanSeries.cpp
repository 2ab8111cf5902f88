// The Peldan series: eight lists in two columns, the low-voltage cut-off set
// as a cell count plus a voltage per cell, and the throttle range the page
// only shows.
#include "base/Translate.h"
#include "device/DeviceVersion.h"
#include "esc/EscExplanations.h"
#include "esc/EscSeries.h"

namespace tavix {

const EscSeriesTable& PeldanTable() {
    static const EscSeriesTable table = [] {
        EscSeriesTable t;
        t.series = kSeriesPeldan;
        t.name = "Peldan";
        t.caption = TAVIX_TR("Peldan Series");
        t.columns = 2;
        // The index is the cell count. Each is written out so that the window
        // can show it in its language.
        const std::vector<std::string> cells = {
            TAVIX_TR("Auto"),     TAVIX_TR("1 cell"),   TAVIX_TR("2 cells"),  TAVIX_TR("3 cells"),
            TAVIX_TR("4 cells"),  TAVIX_TR("5 cells"),  TAVIX_TR("6 cells"),  TAVIX_TR("7 cells"),
            TAVIX_TR("8 cells"),  TAVIX_TR("9 cells"),  TAVIX_TR("10 cells"), TAVIX_TR("11 cells"),
            TAVIX_TR("12 cells"), TAVIX_TR("13 cells"), TAVIX_TR("14 cells"), TAVIX_TR("15 cells"),
            TAVIX_TR("16 cells"), TAVIX_TR("17 cells"), TAVIX_TR("18 cells"), TAVIX_TR("19 cells"),
            TAVIX_TR("20 cells")};
        t.lists = {
            {.label = TAVIX_TR("LVC:"),
             .offset = 1,
             .entries = cells,
             .defaultIndex = 4,
             .row = 0,
             .column = 0,
             .unit = TAVIX_TR("cells"),
             .explain = explain::kPeldanCells},
            {.label = TAVIX_TR("LVC / per cell:"),
             .offset = 8,
             .entries = {"2.5 V", "2.6 V", "2.7 V", "2.8 V", "2.9 V", "3.0 V", "3.1 V", "3.2 V",
                         "3.3 V"},
             .defaultIndex = 5,
             .row = 0,
             .column = 1,
             .unit = TAVIX_TR("V per cell"),
             .explain = explain::kCellCutoff},
            {.label = TAVIX_TR("Current Limiting:"),
             .offset = 2,
             .entries = {TAVIX_TR("Sensitivity"), TAVIX_TR("Standard"), TAVIX_TR("Insensitivity"),
                         TAVIX_TR("Close")},
             .defaultIndex = 1,
             .row = 1,
             .column = 0,
             .explain = explain::kCurrentLimiting},
            {.label = TAVIX_TR("Brake Types:"),
             .offset = 3,
             .entries = {TAVIX_TR("No Brake"), TAVIX_TR("Soft Brake"), TAVIX_TR("Hard Brake")},
             .defaultIndex = 0,
             .row = 1,
             .column = 1,
             .explain = explain::kBrakeTypes},
            {.label = TAVIX_TR("Timing Advance:"),
             .offset = 4,
             .entries = {TAVIX_TR("Low"), TAVIX_TR("Middle"), TAVIX_TR("High"), TAVIX_TR("Auto")},
             .defaultIndex = 3,
             .row = 2,
             .column = 0,
             .explain = explain::kTimingAdvance},
            {.label = TAVIX_TR("Cutoff Type:"),
             .offset = 5,
             .entries = {TAVIX_TR("Hard Cutoff"), TAVIX_TR("Soft Cutoff")},
             .defaultIndex = 0,
             .row = 2,
             .column = 1,
             .explain = explain::kCutoffType},
            {.label = TAVIX_TR("Startup Type:"),
             .offset = 6,
             .entries = {TAVIX_TR("Soft Start"), TAVIX_TR("Standard"), TAVIX_TR("Fast Start")},
             .defaultIndex = 1,
             .row = 3,
             .column = 0,
             .explain = explain::kStartupType},
            {.label = TAVIX_TR("Governor Mode:"),
             .offset = 7,
             .entries = {TAVIX_TR("Auto"), TAVIX_TR("Low RPM"), TAVIX_TR("High RPM")},
             .defaultIndex = 0,
             .row = 3,
             .column = 1,
             .explain = explain::kGovernorMode},
        };
        t.fields = {
            {.field = EscField::ThrottleRange,
             .label = TAVIX_TR("Throttle Range:"),
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
