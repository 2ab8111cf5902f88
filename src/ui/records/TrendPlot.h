#pragma once
// Charts of figures over the dates of flights, stacked on one date axis: one
// line per pack or model, in its own colour, a dot per flight; a flight
// marked (an alert) gets a red ring. Passive: it draws what it is given.

#include <QColor>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace tavix {

inline constexpr int kTrendCharts = 3;

struct TrendPoint {
    std::int64_t time = 0;  // seconds since 1970
    std::array<std::optional<double>, kTrendCharts> values{};
    bool marked = false;
};

struct TrendLine {
    QString name;
    std::vector<TrendPoint> points;  // by time
};

struct TrendChart {
    QString title;
    int decimals = 0;
};

class TrendPlot : public QWidget {
    Q_OBJECT
public:
    TrendPlot(std::array<TrendChart, kTrendCharts> charts, QWidget* parent = nullptr);
    void SetLines(std::vector<TrendLine> lines);
    const std::vector<TrendLine>& Lines() const { return lines_; }
    QSize sizeHint() const override { return {640, 330}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<TrendChart, kTrendCharts> charts_;
    std::vector<TrendLine> lines_;
};

// The colour of the i-th line in the plot and the table.
QColor TrendColour(int index);

}  // namespace tavix
