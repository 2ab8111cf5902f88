#include "plot/ColumnSpans.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tavix {

namespace {

// Adds rows a..b of column x, joining the column already begun.
void Cover(std::vector<ColumnSpan>& out, std::int32_t x, std::int32_t a, std::int32_t b) {
    if (a > b) {
        std::swap(a, b);
    }
    if (!out.empty() && out.back().x == x) {
        out.back().top = std::min(out.back().top, a);
        out.back().bottom = std::max(out.back().bottom, b);
    } else {
        out.push_back({x, a, b});
    }
}

std::int32_t Row(double y) {
    return static_cast<std::int32_t>(std::lround(y));
}

// On and off lengths, in units of the pen's width (at least two pixels).
struct Pattern {
    int lengths[4];
    int count;
};

Pattern PatternOf(FlightLine line) {
    switch (line) {
        case FlightLine::Dashed:
            return {{5, 3, 0, 0}, 2};
        case FlightLine::Dotted:
            return {{1, 2, 0, 0}, 2};
        case FlightLine::DashDot:
            return {{5, 2, 1, 2}, 4};
        case FlightLine::Solid:
            break;
    }
    return {{1, 0, 0, 0}, 1};
}

}  // namespace

void CurveColumns(std::span<const PlotPoint> points, std::vector<ColumnSpan>& out) {
    out.clear();
    if (points.size() == 1) {
        Cover(out, points[0].x, points[0].y, points[0].y);
    }
    for (std::size_t k = 0; k + 1 < points.size(); ++k) {
        const PlotPoint p = points[k];
        const PlotPoint q = points[k + 1];
        if (p.x == q.x) {
            Cover(out, p.x, p.y, q.y);
            continue;
        }
        // Column x holds the line from x - 1/2 to x + 1/2, within its ends.
        const double dx = static_cast<double>(q.x) - p.x;
        const double dy = static_cast<double>(q.y) - p.y;
        for (std::int32_t x = p.x; x <= q.x; ++x) {
            const double from = std::max(x - 0.5, static_cast<double>(p.x));
            const double to = std::min(x + 0.5, static_cast<double>(q.x));
            Cover(out, x, Row(p.y + dy * (from - p.x) / dx), Row(p.y + dy * (to - p.x) / dx));
        }
    }
}

bool ColumnDrawn(FlightLine line, std::int32_t x, int width) {
    const Pattern pattern = PatternOf(line);
    if (pattern.count == 1) {
        return true;
    }
    const int unit = std::max(2, width);
    int period = 0;
    for (int i = 0; i < pattern.count; ++i) {
        period += pattern.lengths[i] * unit;
    }
    int at = static_cast<int>(((x % period) + period) % period);
    for (int i = 0; i < pattern.count; ++i) {
        const int length = pattern.lengths[i] * unit;
        if (at < length) {
            return i % 2 == 0;  // even entries are the drawn ones
        }
        at -= length;
    }
    return true;
}

}  // namespace tavix
