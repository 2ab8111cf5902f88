#include "XYPlotView.h"

#include <QPainter>
#include <QPen>
#include <algorithm>

#include "CurvePainter.h"
#include "platform/GbkText.h"
#include "platform/UiLanguage.h"
#include "plot/PlotView.h"

namespace tavix {

namespace {

constexpr int kLeft = 64;  // the Y values and name
constexpr int kRight = 12;
constexpr int kTop = 8;
constexpr int kAxisRows = 34;       // X values and name under the plot
constexpr int kHistogramShare = 4;  // the histogram takes a quarter of the height
const QColor kBackground(0xF4, 0xF1, 0xE4);
const QColor kGrid(0xD8, 0xD2, 0xBC);

// An axis end with the decimals the width of its range needs.
QString Number(double value, const AxisRange& range) {
    const double width = range.max - range.min;
    return QString::number(value, 'f', width >= 100 ? 0 : width >= 10 ? 1 : 2);
}

}  // namespace

XYPlotView::XYPlotView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("xyPlot"));
    setMinimumSize(320, 240);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAccessibleName(tr("X/Y plot"));
}

void XYPlotView::SetColours(std::vector<QColor> colours) {
    colours_ = std::move(colours);
    update();
}

QRect XYPlotView::PlotArea(const QSize& size) const {
    const int histogram = size.height() / kHistogramShare;
    return {kLeft, kTop, std::max(1, size.width() - kLeft - kRight),
            std::max(1, size.height() - kTop - histogram - 2 * kAxisRows)};
}

QRect XYPlotView::HistogramArea(const QSize& size) const {
    const QRect plot = PlotArea(size);
    const int top = plot.bottom() + 1 + kAxisRows;
    return {plot.left(), top, plot.width(), std::max(1, size.height() - top - kAxisRows / 2)};
}

void XYPlotView::Refresh() {
    const QRect area = PlotArea(size());
    plot_.Place(area.width(), area.height());
    placed_ = size();
    update();
}

void XYPlotView::resizeEvent(QResizeEvent*) {
    Refresh();
}

void XYPlotView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Draw(painter, size());
}

void XYPlotView::Draw(QPainter& painter, const QSize& size) {
    if (size != placed_) {
        const QRect area = PlotArea(size);
        plot_.Place(area.width(), area.height());
        placed_ = size;
    }
    painter.fillRect(QRect(QPoint(0, 0), size), palette().window());
    const QRect plot = PlotArea(size);
    const QRect bars = HistogramArea(size);
    painter.fillRect(plot, kBackground);
    painter.fillRect(bars, kBackground);
    painter.setPen(kGrid);
    for (int k = 1; k < 10; ++k) {
        const int x = plot.left() + plot.width() * k / 10;
        const int y = plot.top() + plot.height() * k / 10;
        painter.drawLine(x, plot.top(), x, plot.bottom());
        painter.drawLine(plot.left(), y, plot.right(), y);
    }
    const int flights = plot_.FlightCount();
    auto colourOf = [this](int k) {
        return k < static_cast<int>(colours_.size()) ? colours_[static_cast<std::size_t>(k)]
                                                     : QColor(Qt::black);
    };
    // Each flight's pixels as small squares, so a sparse cloud still reads.
    for (int k = 0; k < flights; ++k) {
        const auto points = plot_.Points(k);
        std::vector<QRect> rects;
        rects.reserve(points.size());
        for (const PlotPoint& p : points) {
            rects.emplace_back(plot.left() + p.x, plot.top() + p.y, 2, 2);
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(colourOf(k));
        painter.drawRects(rects.data(), static_cast<int>(rects.size()));
    }
    // The histogram: in each level a bar per flight, side by side.
    const double peak = plot_.HistogramPeak();
    if (peak > 0.0 && flights > 0) {
        const double levelWidth = static_cast<double>(bars.width()) / kXYHistogramBins;
        const double barWidth = levelWidth / flights;
        for (int k = 0; k < flights; ++k) {
            const auto& bins = plot_.Histogram(k);
            for (int b = 0; b < kXYHistogramBins; ++b) {
                const int height = static_cast<int>(bins[static_cast<std::size_t>(b)] / peak *
                                                    (bars.height() - 2));
                if (height <= 0) {
                    continue;
                }
                const int x = bars.left() + static_cast<int>(b * levelWidth + k * barWidth);
                painter.fillRect(x, bars.bottom() - height + 1,
                                 std::max(1, static_cast<int>(barWidth) - 1), height, colourOf(k));
            }
        }
    }
    // The axes: names, end values, the histogram's peak.
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot.adjusted(0, 0, -1, -1));
    painter.drawRect(bars.adjusted(0, 0, -1, -1));
    painter.setFont(CurvePainter::AxisFont());
    const QFontMetrics metrics(painter.font());
    const int row = metrics.height();
    const AxisRange x = plot_.XRange();
    const AxisRange y = plot_.YRange();
    const QString xName = ShownText(XYQuantityName(plot_.XQuantity()));
    const QString yName = ShownText(XYQuantityName(plot_.YQuantity()));
    painter.drawText(QRect(0, plot.top(), kLeft - 4, row), Qt::AlignRight, Number(y.max, y));
    painter.drawText(QRect(0, plot.bottom() - row, kLeft - 4, row), Qt::AlignRight,
                     Number(y.min, y));
    painter.drawText(QRect(0, plot.center().y() - row, kLeft - 4, 2 * row),
                     Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap, yName);
    for (const QRect& area : {plot, bars}) {
        const int top = area.bottom() + 2;
        painter.drawText(QRect(area.left(), top, 80, row), Qt::AlignLeft, Number(x.min, x));
        painter.drawText(QRect(area.right() - 80, top, 80, row), Qt::AlignRight, Number(x.max, x));
        painter.drawText(QRect(area.left(), top, area.width(), row), Qt::AlignHCenter, xName);
    }
    painter.drawText(QRect(0, bars.top(), kLeft - 4, row), Qt::AlignRight,
                     QStringLiteral("%1 s").arg(Number(peak, {0.0f, static_cast<float>(peak)})));
    painter.drawText(QRect(0, bars.center().y() - row / 2, kLeft - 4, row), Qt::AlignRight,
                     tr("time"));
    if (!plot_.HasPoints()) {
        painter.drawText(plot, Qt::AlignCenter,
                         tr("No samples hold both quantities in the chosen span."));
    }
}

}  // namespace tavix
