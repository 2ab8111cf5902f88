#pragma once
// The curves of the stacked layout (plot/PlotStack): each plot's grid, the
// curve of every flight compared in it (theirs under the shown record's) and
// the plot's name in its top left corner. The widget and the chart image
// both draw with it; the scales around the plots are CurvePainter's.

#include "CurvePainter.h"
#include "FlightOverlayPainter.h"
#include "plot/CurveModel.h"
#include "plot/PlotStack.h"

class QPainter;

namespace tavix {

class StackPainter {
public:
    void Draw(QPainter& painter, const CurveModel& model, const PlotStack& stack,
              bool reduce = true);

private:
    CurvePainter curves_;
    FlightOverlayPainter flights_;
};

}  // namespace tavix
