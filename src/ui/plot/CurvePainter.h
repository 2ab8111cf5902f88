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
#include <QRect>
#include <cstdint>
#include <span>
#include <vector>

#include "plot/CurveModel.h"
#include "plot/PlotStack.h"

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

    // The axis font: Courier (or the system's typewriter face).
    static QFont AxisFont();
    // Room the axis labels need around the plot.
    static QMargins LabelMargins();

    void DrawGrid(QPainter& painter, const PlotGeometry& geometry) const;
    // The shown record's curves of the ticked channels and the power.
    // `reduce` false draws one polyline through every point, the
    // straightforward way (kept to measure what the reduction saves).
    void DrawCurves(QPainter& painter, const CurveModel& model, bool reduce = true);
    // The shown record's curve `curve` (a channel, or CurveModel::kPowerCurve).
    void DrawCurve(QPainter& painter, const CurveModel& model, int curve, bool reduce = true);
    // The marker and the cursors reach down `height` rows (-1: the plot's).
    void DrawMarker(QPainter& painter, const CurveModel& model, int height = -1) const;
    // Over the curves, so moving a cursor never draws the curves again; the
    // labels stay out of `keepFree` (the legend).
    void DrawCursors(QPainter& painter, const CurveModel& model, const QRect& keepFree = QRect(),
                     int height = -1) const;
    // The labels around a plot whose top-left corner is at `plotOrigin`.
    void DrawAxisLabels(QPainter& painter, const CurveModel& model, QPoint plotOrigin) const;
    // The labels around the stacked plots: each one's scale, the time below.
    void DrawStackLabels(QPainter& painter, const CurveModel& model, const PlotStack& stack,
                         QPoint plotOrigin) const;
    // A curve's name: its channel's, or the power's.
    static QString CurveName(const CurveModel& model, int curve);
    static int PenWidth(const CurveModel& model, int curve);
    // The power curve's scale at the plot's right edge, in its colour, while
    // the curve is drawn (DrawAxisLabels draws it with the others).
    void DrawPowerScale(QPainter& painter, const CurveModel& model, QPoint plotOrigin) const;

    // Every how many grid lines a time label is drawn so that none overlaps
    // the next: 1 unless the cells are narrower than the labels.
    static int TimeLabelStride(const CurveModel& model, const QFontMetrics& metrics);

private:
    // The time under a plot whose bottom grid line is view row `bottom`.
    void DrawTimeLabels(QPainter& painter, const CurveModel& model, QPoint plotOrigin,
                        int bottom) const;
    void DrawPolyline(QPainter& painter, std::span<const PlotPoint> points, const QColor& colour,
                      int width, bool reduce);

    std::vector<PlotPoint> reduced_;
    std::vector<QPoint> polyline_;
    std::vector<QLine> segments_;
};

}  // namespace tavix
