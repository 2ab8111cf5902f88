#include "ui/records/TrendPlot.h"

#include <QDateTime>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace tavix {

QColor TrendColour(int index) {
    static const QColor kColours[] = {QColor(0, 90, 200),  QColor(220, 60, 0),  QColor(0, 150, 60),
                                      QColor(150, 0, 170), QColor(200, 150, 0), QColor(0, 160, 170),
                                      QColor(120, 70, 30), QColor(90, 90, 90)};
    return kColours[index % static_cast<int>(std::size(kColours))];
}

TrendPlot::TrendPlot(std::array<TrendChart, kTrendCharts> charts, QWidget* parent)
    : QWidget(parent), charts_(std::move(charts)) {
    setMinimumSize(360, 240);
}

void TrendPlot::SetLines(std::vector<TrendLine> lines) {
    lines_ = std::move(lines);
    update();
}

void TrendPlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    p.setRenderHint(QPainter::Antialiasing);
    std::optional<std::int64_t> first;
    std::optional<std::int64_t> last;
    for (const TrendLine& line : lines_) {
        for (const TrendPoint& point : line.points) {
            first = first ? std::min(*first, point.time) : point.time;
            last = last ? std::max(*last, point.time) : point.time;
        }
    }
    if (!first) {
        return;
    }
    const QFontMetrics fm = p.fontMetrics();
    const int left = fm.horizontalAdvance(QStringLiteral("00000.0")) + 8;
    const int right = 12;
    const int legend = fm.height() + 6;
    const int bottom = fm.height() + 6;  // the dates
    const int chartHeight = (height() - legend - bottom) / kTrendCharts;
    const int width = std::max(10, this->width() - left - right);
    // Flights of one moment (an upload stamps all its files alike) stand
    // side by side in their order instead of on one spot.
    std::vector<std::int64_t> times;
    for (const TrendLine& line : lines_) {
        for (const TrendPoint& point : line.points) {
            times.push_back(point.time);
        }
    }
    std::sort(times.begin(), times.end());
    const bool oneMoment = *first == *last;
    auto xOf = [&](std::int64_t time, int order, int count) {
        if (oneMoment) {
            return count <= 1 ? left + width / 2 : left + order * width / (count - 1);
        }
        return left + static_cast<int>(static_cast<double>(time - *first) * width /
                                       static_cast<double>(*last - *first));
    };

    int x = left;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        p.fillRect(QRect(x, 4, 10, 10), TrendColour(static_cast<int>(i)));
        p.setPen(palette().color(QPalette::Text));
        p.drawText(x + 14, 4 + fm.ascent() - 1, lines_[i].name);
        x += 14 + fm.horizontalAdvance(lines_[i].name) + 16;
    }

    for (int c = 0; c < kTrendCharts; ++c) {
        const TrendChart& chart = charts_[c];
        const QRect area(left, legend + c * chartHeight + fm.height() + 2, width,
                         chartHeight - fm.height() - 10);
        p.setPen(palette().color(QPalette::Text));
        p.drawText(left, legend + c * chartHeight + fm.ascent(), chart.title);
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(area.adjusted(0, 0, -1, -1));
        std::optional<double> low;
        std::optional<double> high;
        for (const TrendLine& line : lines_) {
            for (const TrendPoint& point : line.points) {
                if (const auto v = point.values[c]) {
                    low = low ? std::min(*low, *v) : *v;
                    high = high ? std::max(*high, *v) : *v;
                }
            }
        }
        if (!low) {
            p.drawText(area, Qt::AlignCenter, tr("no values"));
            continue;
        }
        double span = *high - *low;
        const double pad = span > 0 ? span * 0.1 : std::max(std::fabs(*low) * 0.05, 0.01);
        const double bottomValue = *low - pad;
        span = *high + pad - bottomValue;
        auto yOf = [&](double v) {
            return area.bottom() - static_cast<int>((v - bottomValue) / span * area.height());
        };
        p.setPen(palette().color(QPalette::Text));
        p.drawText(QRect(0, area.top() - fm.height() / 2, left - 4, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(*high + pad, 'f', chart.decimals));
        p.drawText(QRect(0, area.bottom() - fm.height() / 2, left - 4, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(bottomValue, 'f', chart.decimals));
        int order = 0;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const QColor colour = TrendColour(static_cast<int>(i));
            QPainterPath path;
            bool started = false;
            for (const TrendPoint& point : lines_[i].points) {
                const int slot = order++;
                const auto v = point.values[c];
                if (!v) {
                    continue;
                }
                const QPointF at(xOf(point.time, slot, static_cast<int>(times.size())), yOf(*v));
                if (started) {
                    path.lineTo(at);
                } else {
                    path.moveTo(at);
                    started = true;
                }
                p.setPen(QPen(colour, 1.5));
                p.setBrush(colour);
                p.drawEllipse(at, 2.5, 2.5);
                if (point.marked) {
                    p.setPen(QPen(QColor(220, 0, 0), 2.0));
                    p.setBrush(Qt::NoBrush);
                    p.drawEllipse(at, 6.0, 6.0);
                }
            }
            p.setPen(QPen(colour, 1.5));
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
        }
    }
    p.setPen(palette().color(QPalette::Text));
    const int y = height() - 4;
    const QString from =
        QDateTime::fromSecsSinceEpoch(*first).toString(QStringLiteral("yyyy-MM-dd hh:mm"));
    const QString to =
        QDateTime::fromSecsSinceEpoch(*last).toString(QStringLiteral("yyyy-MM-dd hh:mm"));
    p.drawText(left, y, from);
    if (*last != *first) {
        p.drawText(left + width - fm.horizontalAdvance(to), y, to);
    }
}

}  // namespace tavix
