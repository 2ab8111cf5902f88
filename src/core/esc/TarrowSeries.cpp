// The Tarrow series (aircraft ESCs): eight lists in two columns and the
// throttle range, which the ESC learns from the transmitter and the page only
// shows.
#include "device/DeviceVersion.h"
#include "esc/EscSeries.h"

namespace tavix {

const EscSeriesTable& TarrowTable() {
    static const EscSeriesTable table = [] {
        EscSeriesTable t;
        t.series = kSeriesTarrow;
        t.name = "Tarrow";
        t.caption = "Tarrow series";
        t.columns = 2;
        t.lists = {
            {"LVC:",
             1,
             {"Auto", "5.0V", "6.0V (2 Lipo)", "7.2V", "8.4V", "9.0V (3 Lipo)", "12.0V (4 Lipo)",
              "15.0V (5 Lipo)", "18.0V (6 Lipo)", "21.0V (7 Lipo)", "24.0V (8 Lipo)",
              "27.0V (9 Lipo)", "30.0V (10 Lipo)", "33.0V (11 Lipo)", "36.0V (12 Lipo)"},
             1,
             false,
             0,
             0},
            {"Current Limiting:",
             2,
             {"Sensitivity", "Standard", "Insensitivity", "Close"},
             1,
             false,
             0,
             1},
            {"Brake Types:", 3, {"No Brake", "Soft Brake", "Hard Brake"}, 0, false, 1, 0},
            {"Timing Advance:", 4, {"Low", "Middle", "High", "Auto"}, 3, false, 1, 1},
            {"Cutoff Type:", 5, {"Hard Cutoff", "Soft Cutoff"}, 0, false, 2, 0},
            {"Startup Type:", 6, {"Soft Start", "Standard", "Fast Start"}, 1, false, 2, 1},
            {"Governor Mode:", 7, {"Auto", "Low", "High"}, 0, false, 3, 0},
            {"PWM Rate:", 8, {"8 KHz", "12 KHz", "16 KHz"}, 0, false, 3, 1},
        };
        t.fields = {{EscField::ThrottleRange, "Throttle Range:", "uS", 4, 0}};
        t.keptOffsets = {9, 10};
        t.throttleByteOffset = 9;
        // The Tarrow page only closes its port when hidden.
        t.showAfterHide = false;
        return t;
    }();
    return table;
}

}  // namespace tavix
