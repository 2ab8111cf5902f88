#include "StackPainter.h"
#include "platform/ColorRef.h"

#include <QFontMetrics>
#include <QPainter>

namespace tavix {

void StackPainter::Draw(QPainter& painter, const CurveModel& model, const PlotStack& stack,
                        bool reduce) {
    QFont font = CurvePainter::AxisFont();
    font.setBold(true);
    const QFontMetrics metrics(font);
    for (const StackStrip& strip : stack.Strips()) {
        painter.save();
        painter.translate(0, strip.top);
        curves_.DrawGrid(painter, stack.StripGeometry());
        painter.setClipRect(0, 0, stack.StripGeometry().viewWidth,
                            stack.StripGeometry().viewHeight);
        // The flights compared first, so the shown record stays on top.
        flights_.DrawFlights(painter, model, strip.curve);
        curves_.DrawCurve(painter, model, strip.curve, reduce);
        // The plot's name in its top left corner, in the colour of its curve
        // while the record is alone.
        const QString name = CurvePainter::CurveName(model, strip.curve);
        const QRect box(2, 2, metrics.horizontalAdvance(name) + 6, metrics.height());
        painter.fillRect(box, QColor(255, 255, 255, 200));
        painter.setFont(font);
        painter.setPen(model.FlightCount() > 1 ? QColor(Qt::black)
                                               : FromColorRef(model.CurveColour(0, strip.curve)));
        painter.drawText(box, Qt::AlignCenter, name);
        painter.restore();
    }
}

}  // namespace tavix
