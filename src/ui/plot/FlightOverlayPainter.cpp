#include "FlightOverlayPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <algorithm>

#include "CurvePainter.h"
#include "platform/ColorRef.h"
#include "platform/GbkText.h"
#include "platform/UiLanguage.h"
#include "plot/ColumnSpans.h"

namespace tavix {

namespace {

constexpr int kLegendSample = 28;  // length of the line drawn beside a name
constexpr int kLegendPadding = 4;
constexpr int kLegendPen = 2;

}  // namespace

void FlightOverlayPainter::DrawFlights(QPainter& painter, const CurveModel& model, int curve) {
    const FlightRecord& record = model.Record();
    for (int k = 1; k < model.FlightCount(); ++k) {
        const FlightLine line = model.Overlay().Line(k);
        auto draw = [&](int i) {
            DrawCurve(painter, model.FlightPoints(k, i), FromColorRef(model.CurveColour(k, i)),
                      CurvePainter::PenWidth(model, i), line);
        };
        if (curve >= 0) {
            draw(curve);
            continue;
        }
        for (int i = 0; i < model.ChannelCount(); ++i) {
            if (record.channels[i].visible != 0) {
                draw(i);
            }
        }
        draw(CurveModel::kPowerCurve);
    }
}

void FlightOverlayPainter::DrawCurve(QPainter& painter, std::span<const PlotPoint> points,
                                     const QColor& colour, int width, FlightLine line) {
    if (points.empty()) {
        return;
    }
    // The reduced polyline's columns, each one rectangle as wide as the pen
    // and reaching half a pen beyond the rows it covers, as the square ends
    // of the shown record's wide segments do.
    ReduceToColumns(points, reduced_);
    CurveColumns(reduced_, columns_);
    rects_.clear();
    const int before = width / 2;
    for (const ColumnSpan& c : columns_) {
        if (ColumnDrawn(line, c.x, width)) {
            rects_.emplace_back(c.x - before, c.top - before, width, c.bottom - c.top + width);
        }
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRects(rects_.data(), static_cast<int>(rects_.size()));
}

namespace {

QString LegendText(const LegendEntry& entry) {
    return ShownText(entry.text);
}

}  // namespace

QRect FlightOverlayPainter::LegendBox(const CurveModel& model) {
    const std::vector<LegendEntry> entries = model.Legend();
    if (entries.empty()) {
        return {};
    }
    const QFontMetrics metrics(CurvePainter::AxisFont());
    int textWidth = 0;
    for (const LegendEntry& entry : entries) {
        textWidth = std::max(textWidth, metrics.horizontalAdvance(LegendText(entry)));
    }
    const int width = kLegendPadding * 3 + kLegendSample + textWidth;
    const int height = kLegendPadding * 2 + metrics.height() * static_cast<int>(entries.size());
    const int plotWidth = model.View().Geometry().plotWidth;
    return QRect(std::max(0, plotWidth - width - kLegendPadding), kLegendPadding, width, height);
}

int FlightOverlayPainter::LegendBand(const CurveModel& model) {
    const QRect box = LegendBox(model);
    return box.isEmpty() ? 0 : box.bottom() + 1 + kLegendPadding;
}

void FlightOverlayPainter::DrawLegend(QPainter& painter, const CurveModel& model) const {
    const std::vector<LegendEntry> entries = model.Legend();
    if (entries.empty()) {
        return;
    }
    painter.save();
    painter.setFont(CurvePainter::AxisFont());
    const QFontMetrics metrics(painter.font());
    const int lineHeight = metrics.height();
    const QRect box = LegendBox(model);
    painter.fillRect(box, QColor(255, 255, 255, 230));
    painter.setPen(QPen(QColor(160, 160, 160), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    const int textLeft = box.left() + kLegendPadding * 2 + kLegendSample;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const int top = box.top() + kLegendPadding + lineHeight * static_cast<int>(k);
        const int middle = top + lineHeight / 2;
        const int left = box.left() + kLegendPadding;
        const QColor colour = FromColorRef(entries[k].colour);
        // A sample of the line in the flight's colour, dashed as its curves are.
        for (int x = 0; x < kLegendSample; ++x) {
            if (ColumnDrawn(entries[k].line, x, kLegendPen)) {
                painter.fillRect(left + x, middle - kLegendPen / 2, 1, kLegendPen, colour);
            }
        }
        painter.setPen(colour);
        painter.drawText(QRect(textLeft, top, box.right() - textLeft, lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, LegendText(entries[k]));
    }
    painter.restore();
}

}  // namespace tavix
