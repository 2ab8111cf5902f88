#pragma once
// A curve as pixel columns: in each column the rows it covers, from its own
// points and from the lines to its neighbours. Filling one rectangle per
// column draws the picture of the polyline with a fraction of the work (a
// reduced polyline has up to four points, so three or four segments, in each
// column), which lets the plot draw several flights' curves at once.
//
// The flights laid over the shown record are dashed along the time axis:
// whole columns are left out in a pattern, so a gap stays a gap wherever the
// curve runs, steep or flat, and two flights on the same values still tell
// apart.

#include <cstdint>
#include <span>
#include <vector>

#include "plot/FlightOverlay.h"
#include "plot/PlotTrace.h"

namespace tavix {

struct ColumnSpan {
    std::int32_t x = 0;
    std::int32_t top = 0;  // top <= bottom, both covered
    std::int32_t bottom = 0;
    friend bool operator==(const ColumnSpan&, const ColumnSpan&) = default;
};

// The columns a polyline through `points` (x non-decreasing, as
// ReduceToColumns gives them) covers with a pen of one pixel: a line between
// two columns gives each column the part of it within half a pixel of the
// column's centre, rounded to whole rows.
void CurveColumns(std::span<const PlotPoint> points, std::vector<ColumnSpan>& out);

// Whether column `x` is drawn in `line`'s pattern for a pen `width` pixels
// wide: the pattern grows with the pen so its gaps stay open.
bool ColumnDrawn(FlightLine line, std::int32_t x, int width);

}  // namespace tavix
