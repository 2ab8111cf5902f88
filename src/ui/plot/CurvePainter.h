#pragma once
// All drawing of the record's curves, in one place: the widget paints with it
// and the chart image is rendered with it, so an exported chart is what the
// user sees.
//
//   grid:   the plot's background colour and a dotted 10 x 10 grid
//   curves: one polyline per visible channel, in its colour and pen width
//   power:  the computed power curve, when shown, in its colour over the channels
//   marker: the red line of a pending first click
//   cursors: the measuring cursors A and B, thin lines with their times, the
//           span between them lightly shaded
//   labels: time below the plot, the Y-axis channel's scale at its left (in
//           that channel's colour), the channel's name above, in Courier; the
//           power curve's scale at its right edge while that curve is drawn
//
// Before a curve is drawn its points are reduced to the first, lowest,
// highest and last point of each pixel column: the picture stays the same,
// and Qt's raster engine, very slow with wide pens over thousands of
// segments, draws a few hundred instead.

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QLine>
#include <QMargins>
#include <QPoint>
#include <cstdint>
#include <span>
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
    static const QColor kCursorColourA;
    static const QColor kCursorColourB;
    static constexpr int kPowerWidth = 2;

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
    // Over the curves, so moving a cursor never draws the curves again.
    void DrawCursors(QPainter& painter, const CurveModel& model) const;
    // The labels around a plot whose top-left corner is at `plotOrigin`.
    void DrawAxisLabels(QPainter& painter, const CurveModel& model, QPoint plotOrigin) const;
    // The power curve's scale at the plot's right edge, in its colour, while
    // the curve is drawn (DrawAxisLabels draws it with the others).
    void DrawPowerScale(QPainter& painter, const CurveModel& model, QPoint plotOrigin) const;

    // Every how many grid lines a time label is drawn so that none overlaps
    // the next: 1 unless the cells are narrower than the labels.
    static int TimeLabelStride(const CurveModel& model, const QFontMetrics& metrics);

private:
    void DrawPolyline(QPainter& painter, std::span<const PlotPoint> points, const QColor& colour,
                      int width, bool reduce);

    std::vector<PlotPoint> reduced_;
    std::vector<QPoint> polyline_;
    std::vector<QLine> segments_;
};

}  // namespace tavix
