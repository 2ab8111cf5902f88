// The Velmor series (boat ESCs): seven lists in two columns, the throttle
// range, and a Current Limiting list that the page holds but never shows, so
// its byte in effect passes from the read to the write unchanged.
#include <algorithm>

#include "base/Translate.h"
#include "device/DeviceVersion.h"
#include "esc/EscExplanations.h"
#include "esc/EscSeries.h"

namespace tavix {

const EscSeriesTable& VelmorTable() {
    static const EscSeriesTable table = [] {
        EscSeriesTable t;
        t.series = kSeriesVelmor;
        t.name = "Velmor";
        t.caption = TAVIX_TR("Velmor series");
        t.columns = 2;
        // The hidden list is a sorted list: whatever order its entries are
        // added in, their indexes are those of the alphabetical order, and
        // that is what the ESC's byte means here.
        std::vector<std::string> limiting = {TAVIX_TR("Sensitivity"), TAVIX_TR("Standard"),
                                             TAVIX_TR("Insensitivity"), TAVIX_TR("Close")};
        std::sort(limiting.begin(), limiting.end());
        t.lists = {
            {.label = TAVIX_TR("LVC:"),
             .offset = 1,
             .entries = {TAVIX_TR("Auto"), "5.0V", TAVIX_TR("2 Cells"), "7.2V", "8.4V",
                         TAVIX_TR("3 Cells"), TAVIX_TR("4 Cells"), TAVIX_TR("5 Cells"),
                         TAVIX_TR("6 Cells"), TAVIX_TR("7 Cells"), TAVIX_TR("8 Cells"),
                         TAVIX_TR("9 Cells"), TAVIX_TR("10 Cells"), TAVIX_TR("11 Cells"),
                         TAVIX_TR("12 Cells")},
             .defaultIndex = 1,
             .row = 0,
             .column = 0,
             .explain = explain::kLowVoltageCutoff},
            {.label = TAVIX_TR("Cutoff Voltage/Cell:"),
             .offset = 7,
             .entries = {"2.5 V", "2.6 V", "2.7 V", "2.8 V", "2.9 V", "3.0 V", "3.1 V", "3.2 V",
                         "3.3 V"},
             .defaultIndex = 5,
             .row = 0,
             .column = 1,
             .unit = TAVIX_TR("V per cell"),
             .explain = explain::kCellCutoff},
            {.label = TAVIX_TR("Brake  Types:"),
             .offset = 3,
             .entries = {TAVIX_TR("No Brake"), TAVIX_TR("Soft Brake"), TAVIX_TR("Hard Brake")},
             .defaultIndex = 0,
             .row = 1,
             .column = 0,
             .explain = explain::kBrakeTypes},
            {.label = TAVIX_TR("Timing Advance:"),
             .offset = 4,
             .entries = {TAVIX_TR("Low"), TAVIX_TR("Middle"), TAVIX_TR("High"), TAVIX_TR("Auto")},
             .defaultIndex = 3,
             .row = 1,
             .column = 1,
             .explain = explain::kTimingAdvance},
            {.label = TAVIX_TR("Cutoff Type:"),
             .offset = 5,
             .entries = {TAVIX_TR("Hard Cutoff"), TAVIX_TR("Soft Cutoff")},
             .defaultIndex = 0,
             .row = 2,
             .column = 0,
             .explain = explain::kCutoffType},
            {.label = TAVIX_TR("Startup Type:"),
             .offset = 6,
             .entries = {TAVIX_TR("Soft Start"), TAVIX_TR("Standard"), TAVIX_TR("Fast Start")},
             .defaultIndex = 1,
             .row = 2,
             .column = 1,
             .explain = explain::kStartupType},
            {.label = TAVIX_TR("PWM Rate:"),
             .offset = 8,
             .entries = {"8 KHz", "12 KHz", "16 KHz"},
             .defaultIndex = 0,
             .row = 3,
             .column = 0,
             .unit = "KHz",
             .explain = explain::kPwmRate},
            {.label = TAVIX_TR("Current Limiting:"),
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
             .label = TAVIX_TR("Throttle Range:"),
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
