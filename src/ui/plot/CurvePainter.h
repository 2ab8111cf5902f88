#pragma once
// All drawing of the record's curves, in one place: the widget paints with it
// and the chart image is rendered with it, so an exported chart is what the
// user sees.
//
//   grid:   the plot's background colour and a dotted 10 x 10 grid
//   curves: one polyline per visible channel, in its colour and pen width
//   marker: the red line of a pending first click
//   labels: time below the plot, the Y-axis channel's scale at its left (in
//           that channel's colour), the channel's name above, in Courier
//
// Before a curve is drawn its points are reduced to the first, lowest,
// highest and last point of each pixel column: the picture stays the same,
// and Qt's raster engine, very slow with wide pens over thousands of
// segments, draws a few hundred instead.

#include <QColor>
#include <QFont>
#include <QLine>
#include <QMargins>
#include <QPoint>
#include <cstdint>
#include <vector>

#include "plot/CurveModel.h"

class QPainter;

namespace tavix {

class CurvePainter {
public:
    static const QColor kBackground;
    static const QColor kGridColour;
    static const QColor kMarkerColour;
    static constexpr int kMarkerWidth = 2;

    // A COLORREF (0x00BBGGRR) as a colour.
    static QColor FromColorRef(std::uint32_t colorref);
    // The axis font: Courier (or the system's typewriter face).
    static QFont AxisFont();
    // Room the axis labels need around the plot.
    static QMargins LabelMargins();

    void DrawGrid(QPainter& painter, const PlotGeometry& geometry) const;
    // `reduce` false draws one polyline through every point, the straightforward
    // way (kept to measure what the reduction saves).
    void DrawCurves(QPainter& painter, const CurveModel& model, bool reduce = true);
    void DrawMarker(QPainter& painter, const CurveModel& model) const;
    // The labels around a plot whose top-left corner is at `plotOrigin`.
    void DrawAxisLabels(QPainter& painter, const CurveModel& model, QPoint plotOrigin) const;

private:
    std::vector<PlotPoint> reduced_;
    std::vector<QPoint> polyline_;
    std::vector<QLine> segments_;
};

}  // namespace tavix
