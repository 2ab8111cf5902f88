#pragma once
// The flights laid over the shown record: their curves, each flight in its
// own pattern of gaps along the time axis (dashed, dotted, dash-dot; see
// plot/ColumnSpans) but in the channels' colours and pens, drawn under the
// shown record's so the reference stays on top; and the small legend in the
// plot's top right corner naming each flight beside a sample of its line. The
// widget and the chart image both draw with it.

#include <QRect>
#include <span>
#include <vector>

#include "plot/ColumnSpans.h"
#include "plot/CurveModel.h"

class QPainter;
class QColor;

namespace tavix {

class FlightOverlayPainter {
public:
    // The added flights' curves; nothing with the record alone.
    void DrawFlights(QPainter& painter, const CurveModel& model);
    // The legend over the plot's top right corner; nothing with the record alone.
    void DrawLegend(QPainter& painter, const CurveModel& model) const;

private:
    void DrawCurve(QPainter& painter, std::span<const PlotPoint> points, const QColor& colour,
                   int width, FlightLine line);

    std::vector<PlotPoint> reduced_;
    std::vector<ColumnSpan> columns_;
    std::vector<QRect> rects_;
};

}  // namespace tavix
