// The Tarrow series (aircraft ESCs): eight lists in two columns and the
// throttle range, which the ESC learns from the transmitter and the page only
// shows.
#include "base/Translate.h"
#include "device/DeviceVersion.h"
#include "esc/EscExplanations.h"
#include "esc/EscSeries.h"

namespace tavix {

const EscSeriesTable& TarrowTable() {
    static const EscSeriesTable table = [] {
        EscSeriesTable t;
        t.series = kSeriesTarrow;
        t.name = "Tarrow";
        t.caption = TAVIX_TR("Tarrow series");
        t.columns = 2;
        t.lists = {
            {.label = TAVIX_TR("LVC:"),
             .offset = 1,
             .entries = {TAVIX_TR("Auto"), "5.0V", "6.0V (2 Lipo)", "7.2V", "8.4V", "9.0V (3 Lipo)",
                         "12.0V (4 Lipo)", "15.0V (5 Lipo)", "18.0V (6 Lipo)", "21.0V (7 Lipo)",
                         "24.0V (8 Lipo)", "27.0V (9 Lipo)", "30.0V (10 Lipo)", "33.0V (11 Lipo)",
                         "36.0V (12 Lipo)"},
             .defaultIndex = 1,
             .row = 0,
             .column = 0,
             .explain = explain::kLowVoltageCutoff},
            {.label = TAVIX_TR("Current Limiting:"),
             .offset = 2,
             .entries = {TAVIX_TR("Sensitivity"), TAVIX_TR("Standard"), TAVIX_TR("Insensitivity"),
                         TAVIX_TR("Close")},
             .defaultIndex = 1,
             .row = 0,
             .column = 1,
             .explain = explain::kCurrentLimiting},
            {.label = TAVIX_TR("Brake Types:"),
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
            {.label = TAVIX_TR("Governor Mode:"),
             .offset = 7,
             .entries = {TAVIX_TR("Auto"), TAVIX_TR("Low"), TAVIX_TR("High")},
             .defaultIndex = 0,
             .row = 3,
             .column = 0,
             .explain = explain::kGovernorMode},
            {.label = TAVIX_TR("PWM Rate:"),
             .offset = 8,
             .entries = {"8 KHz", "12 KHz", "16 KHz"},
             .defaultIndex = 0,
             .row = 3,
             .column = 1,
             .unit = "KHz",
             .explain = explain::kPwmRate},
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
        // The Tarrow page only closes its port when hidden.
        t.showAfterHide = false;
        return t;
    }();
    return table;
}

}  // namespace tavix
