#pragma once
// The numbers beside a vertical scale: one per grid line, the range's maximum
// on the top line and its minimum on the bottom one. The channel on the Y axis
// at the left of the plot and the power curve at its right edge both read
// their values this way.

#include <array>
#include <string>

#include "flight/FlightRecord.h"
#include "plot/PlotView.h"

namespace tavix {

// The labels of `range` over the grid lines of `geometry`, top first, in the
// format the width of the range asks for: whole numbers from 100 up, one
// decimal from 10, two below.
std::array<std::string, kLabelCount> ScaleLabels(const AxisRange& range,
                                                 const PlotGeometry& geometry);

}  // namespace tavix
