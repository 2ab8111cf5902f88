#pragma once
// The X/Y plot on screen: every flight's points in its colour over a light
// grid, the axes' names and end values, and under it the time-at-level
// histogram of the X quantity, one bar per flight in each level. Passive: the
// points and bars are plot/XYPlot's.

#include <QColor>
#include <QString>
#include <QWidget>
#include <vector>

#include "plot/XYPlot.h"

namespace tavix {

class XYPlotView : public QWidget {
    Q_OBJECT
public:
    explicit XYPlotView(QWidget* parent = nullptr);

    XYPlot& Plot() { return plot_; }
    // The flights' colours, in the plot's flight order; the plot's points
    // and histogram are computed again for the widget's size.
    void SetColours(std::vector<QColor> colours);
    void Refresh();

    // Draws the whole view into `painter` at `size` (the widget paints itself
    // this way; a benchmark or an image can too).
    void Draw(QPainter& painter, const QSize& size);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect PlotArea(const QSize& size) const;
    QRect HistogramArea(const QSize& size) const;

    XYPlot plot_;
    std::vector<QColor> colours_;
    QSize placed_;
};

}  // namespace tavix
