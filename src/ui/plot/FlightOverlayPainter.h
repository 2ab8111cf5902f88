#pragma once
// The flights laid over the shown record: their curves, each flight in its
// own colour and its own pattern of gaps along the time axis (dashed, dotted,
// dash-dot; see plot/ColumnSpans) with the channels' pens, drawn under the
// shown record's so the reference stays on top; and the small legend in the
// plot's top right corner naming each flight beside a sample of its line,
// drawn last so nothing covers it. The widget and the chart image both draw
// with it.

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
    // The added flights' curves of the ticked channels and the power, or of
    // `curve` alone (a stacked plot's); nothing with the record alone.
    void DrawFlights(QPainter& painter, const CurveModel& model, int curve = -1);
    // Where the legend stands over the plot's top right corner; empty with
    // the record alone.
    static QRect LegendBox(const CurveModel& model);
    // The rows the legend takes with the padding under it, where it is drawn
    // above the plots (the stacked layout's strips are too low to hold it);
    // 0 with the record alone.
    static int LegendBand(const CurveModel& model);
    // The legend in its box; nothing with the record alone.
    void DrawLegend(QPainter& painter, const CurveModel& model) const;

private:
    void DrawCurve(QPainter& painter, std::span<const PlotPoint> points, const QColor& colour,
                   int width, FlightLine line);

    std::vector<PlotPoint> reduced_;
    std::vector<ColumnSpan> columns_;
    std::vector<QRect> rects_;
};

}  // namespace tavix
