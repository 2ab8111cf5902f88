#include "CurvePainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <optional>

#include "base/PlainText.h"
#include "platform/ColorRef.h"
#include "platform/UiLanguage.h"
#include "plot/AxisScale.h"
#include "plot/PlotMessages.h"

namespace tavix {

const QColor CurvePainter::kBackground{236, 233, 216};
const QColor CurvePainter::kGridColour{200, 200, 200};
const QColor CurvePainter::kMarkerColour{255, 0, 0};
const QColor CurvePainter::kCursorColourA{0, 70, 200};
const QColor CurvePainter::kCursorColourB{170, 60, 0};

namespace {

constexpr int kLabelGap = 4;  // between a label and the plot
// Pen widths beyond this come from a damaged file, not from a choice.
constexpr int kMaxPenWidth = 16;

}  // namespace

QFont CurvePainter::AxisFont() {
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(11);
    return font;
}

QMargins CurvePainter::LabelMargins() {
    const QFontMetrics metrics(AxisFont());
    const int left = metrics.horizontalAdvance(QStringLiteral("-00000.00 ")) + kLabelGap;
    const int top = metrics.height() * 2;
    const int bottom = metrics.height() * 2 + kLabelGap;
    // Room for the power curve's scale too, so showing it moves nothing.
    const int right = std::max(metrics.horizontalAdvance(QStringLiteral("0000.000")) / 2,
                               metrics.horizontalAdvance(QStringLiteral("-00000"))) +
                      kLabelGap;
    return QMargins(left, top, right, bottom);
}

void CurvePainter::DrawGrid(QPainter& painter, const PlotGeometry& g) const {
    painter.fillRect(0, 0, g.plotWidth + 1, g.plotHeight + 1, kBackground);
    painter.setPen(QPen(kGridColour, 1, Qt::DotLine));
    for (int i = 0; i <= kGridCells; ++i) {
        painter.drawLine(i * g.cellWidth, 0, i * g.cellWidth, g.plotHeight);
    }
    for (int i = 0; i <= g.rows; ++i) {
        painter.drawLine(0, i * g.cellHeight, g.plotWidth, i * g.cellHeight);
    }
}

int CurvePainter::PenWidth(const CurveModel& model, int curve) {
    if (curve == CurveModel::kPowerCurve) {
        return kPowerWidth;
    }
    const ChannelInfo& channel = model.Record().channels[static_cast<std::size_t>(curve)];
    return std::clamp(static_cast<int>(channel.line), 1, kMaxPenWidth);
}

void CurvePainter::DrawCurves(QPainter& painter, const CurveModel& model, bool reduce) {
    const FlightRecord& record = model.Record();
    for (int i = 0; i < model.ChannelCount(); ++i) {
        if (record.channels[i].visible != 0) {
            DrawCurve(painter, model, i, reduce);
        }
    }
    DrawCurve(painter, model, CurveModel::kPowerCurve, reduce);
}

void CurvePainter::DrawCurve(QPainter& painter, const CurveModel& model, int curve, bool reduce) {
    const std::span<const PlotPoint> points =
        curve == CurveModel::kPowerCurve ? model.VisiblePowerPoints() : model.VisiblePoints(curve);
    DrawPolyline(painter, points, FromColorRef(model.CurveColour(0, curve)), PenWidth(model, curve),
                 reduce);
}

QString CurvePainter::CurveName(const CurveModel& model, int curve) {
    return curve == CurveModel::kPowerCurve
               ? ShownText(kPowerScaleTitle)
               // A record names its channels itself; the usual names are
               // shown in the window's language.
               : ShownText(Trimmed(
                     FixedText(model.Record().channels[static_cast<std::size_t>(curve)].name)));
}

void CurvePainter::DrawPolyline(QPainter& painter, std::span<const PlotPoint> points,
                                const QColor& colour, int width, bool reduce) {
    if (points.empty()) {
        return;
    }
    if (reduce) {
        ReduceToColumns(points, reduced_);
        points = reduced_;
    }
    polyline_.resize(points.size());
    std::transform(points.begin(), points.end(), polyline_.begin(),
                   [](const PlotPoint& p) { return QPoint(p.x, p.y); });
    if (!reduce) {
        // The straightforward way: one polyline through every point.
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(polyline_.data(), static_cast<int>(polyline_.size()));
    } else if (polyline_.size() == 1) {
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        painter.drawPoint(polyline_.front());
    } else if (width == 1) {
        painter.setPen(QPen(colour, width));
        painter.drawPolyline(polyline_.data(), static_cast<int>(polyline_.size()));
    } else {
        // A wide polyline is stroked as one outline with round joins,
        // which the raster engine fills slowly; separate segments with
        // square caps (they overlap where they meet, so no corner is
        // missing) take its fast path for wide lines. The edges differ
        // from round joins by a pixel at most.
        segments_.resize(polyline_.size() - 1);
        for (std::size_t k = 0; k + 1 < polyline_.size(); ++k) {
            segments_[k] = QLine(polyline_[k], polyline_[k + 1]);
        }
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::SquareCap));
        painter.drawLines(segments_.data(), static_cast<int>(segments_.size()));
    }
}

void CurvePainter::DrawMarker(QPainter& painter, const CurveModel& model, int height) const {
    if (!model.View().RecordPresent() || !model.View().Selecting()) {
        return;
    }
    painter.setPen(QPen(kMarkerColour, kMarkerWidth));
    const int x = model.View().FirstClickX();
    painter.drawLine(x, 0, x, height >= 0 ? height : model.View().Geometry().plotHeight);
}

void CurvePainter::DrawCursors(QPainter& painter, const CurveModel& model, const QRect& keepFree,
                               int height) const {
    const MeasureCursors& cursors = model.Cursors();
    if (!model.View().RecordPresent() || !cursors.AnyPlaced()) {
        return;
    }
    PlotGeometry g = model.View().Geometry();
    if (height >= 0) {
        g.plotHeight = height;  // across every plot of the stack
    }
    const std::optional<int> a = cursors.SampleOf(Cursor::A);
    const std::optional<int> b = cursors.SampleOf(Cursor::B);
    if (a && b) {
        // The span, where it lies in the window: a cursor left or right of
        // the window shades up to that edge.
        auto column = [&](int sample) {
            if (const std::optional<int> x = cursors.PixelOf(sample)) {
                return *x;
            }
            return sample < model.View().FirstVisible() ? 0 : g.plotWidth;
        };
        const int left = std::min(column(*a), column(*b));
        const int right = std::max(column(*a), column(*b));
        if (right > left) {
            painter.fillRect(left, 0, right - left, g.plotHeight + 1, QColor(0, 0, 0, 18));
        }
    }
    QFont font = AxisFont();
    font.setBold(true);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    for (const Cursor which : {Cursor::A, Cursor::B}) {
        const std::optional<int> sample = cursors.SampleOf(which);
        const std::optional<int> x = sample ? cursors.PixelOf(*sample) : std::nullopt;
        if (!x) {
            continue;
        }
        const QColor colour = which == Cursor::A ? kCursorColourA : kCursorColourB;
        painter.setPen(QPen(colour, 1));
        painter.drawLine(*x, 0, *x, g.plotHeight);
        // The label beside the line, on the side with room, A's on the first
        // text line and B's on the second so two close cursors stay legible.
        const QString label = QString::fromLatin1(cursors.Label(which).c_str());
        const int width = metrics.horizontalAdvance(label) + 6;
        const int height = metrics.height() + 2;
        const int top = 2 + (which == Cursor::A ? 0 : height + 2);
        const int left = *x + 3 + width <= g.plotWidth ? *x + 3 : *x - 3 - width;
        QRect box(left, top, width, height);
        if (box.intersects(keepFree)) {
            // Under the legend, never over it.
            box.moveTop(keepFree.bottom() + 3 + (which == Cursor::A ? 0 : height + 2));
        }
        painter.fillRect(box, QColor(255, 255, 255, 220));
        painter.drawText(box, Qt::AlignCenter, label);
    }
}

void CurvePainter::DrawAxisLabels(QPainter& painter, const CurveModel& model,
                                  QPoint plotOrigin) const {
    const PlotGeometry& g = model.View().Geometry();
    painter.setFont(AxisFont());
    const QFontMetrics metrics(painter.font());
    const int lineHeight = metrics.height();
    const int ox = plotOrigin.x();
    const int oy = plotOrigin.y();
    const int left = ox - LabelMargins().left();

    DrawTimeLabels(painter, model, plotOrigin, oy + g.plotHeight);

    // The Y-axis channel's scale and name, in its colour; while flights are
    // compared colour tells the flights apart, and the scale is black.
    const int channel = model.YLabelChannel();
    painter.setPen(model.FlightCount() > 1 ? QColor(Qt::black)
                                           : FromColorRef(model.Record().channels[channel].colour));
    const QString name = CurveName(model, channel);
    painter.drawText(QRect(left, oy - 2 * lineHeight, ox - left + g.plotWidth, lineHeight),
                     Qt::AlignLeft | Qt::AlignTop, name);
    const auto& ys = model.YLabels();
    for (int k = 0; k < kLabelCount; ++k) {
        const int y = oy + k * g.cellHeight;
        painter.drawText(QRect(left, y - lineHeight / 2, ox - left - 2, lineHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QString::fromLatin1(ys[k].c_str()));
    }
    DrawPowerScale(painter, model, plotOrigin);
}

void CurvePainter::DrawStackLabels(QPainter& painter, const CurveModel& model,
                                   const PlotStack& stack, QPoint plotOrigin) const {
    painter.setFont(AxisFont());
    const QFontMetrics metrics(painter.font());
    const int lineHeight = metrics.height();
    const int ox = plotOrigin.x();
    const int left = ox - LabelMargins().left();
    const PlotGeometry& g = stack.StripGeometry();
    DrawTimeLabels(painter, model, plotOrigin, plotOrigin.y() + stack.ViewHeight() - 1);
    // Each plot's scale at its top, middle and bottom line (only the top and
    // bottom ones when the plot is too low for three).
    const int step = g.plotHeight >= 3 * lineHeight ? g.rows / 2 : g.rows;
    for (const StackStrip& strip : stack.Strips()) {
        const auto labels = ScaleLabels(model.CurveRange(strip.curve), g);
        painter.setPen(model.FlightCount() > 1 ? QColor(Qt::black)
                                               : FromColorRef(model.CurveColour(0, strip.curve)));
        for (int k = 0; k <= g.rows; k += std::max(1, step)) {
            // The top label hangs below its line and the bottom one stands
            // on it, so two plots' labels never meet across the gap.
            const int y = plotOrigin.y() + strip.top + k * g.cellHeight;
            const int top = k == 0 ? y : k == g.rows ? y - lineHeight : y - lineHeight / 2;
            painter.drawText(QRect(left, top, ox - left - 2, lineHeight),
                             Qt::AlignRight | Qt::AlignVCenter,
                             QString::fromLatin1(labels[static_cast<std::size_t>(k)].c_str()));
        }
    }
}

void CurvePainter::DrawTimeLabels(QPainter& painter, const CurveModel& model, QPoint plotOrigin,
                                  int bottom) const {
    const PlotGeometry& g = model.View().Geometry();
    painter.setFont(AxisFont());
    const QFontMetrics metrics(painter.font());
    const int lineHeight = metrics.height();
    const int ox = plotOrigin.x();
    const int left = ox - LabelMargins().left();
    // Time below the plot: one label under each grid line but the last,
    // which carries the unit.
    painter.setPen(QColor(Qt::black));
    const int timeTop = bottom + kLabelGap;
    const auto& times = model.View().TimeLabels();
    const int stride = TimeLabelStride(model, metrics);
    for (int k = 0; k < kGridCells; k += stride) {
        const QString text = ShownText(times[k].c_str()).trimmed();
        const int x = ox + k * g.cellWidth;
        painter.drawText(QRect(x - g.cellWidth / 2, timeTop, g.cellWidth, lineHeight),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, text);
    }
    const int unitX = ox + kGridCells * g.cellWidth;
    painter.drawText(QRect(unitX - g.cellWidth / 2, timeTop, g.cellWidth, lineHeight),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, ShownText(kLabelSeconds));
    painter.drawText(QRect(left, timeTop + lineHeight, ox - left, lineHeight),
                     Qt::AlignLeft | Qt::AlignTop, ShownText(kLabelTime));
}

int CurvePainter::TimeLabelStride(const CurveModel& model, const QFontMetrics& metrics) {
    int widest = 0;
    for (int k = 0; k < kGridCells; ++k) {
        const QString text = QString::fromLatin1(model.View().TimeLabels()[k].c_str()).trimmed();
        widest = std::max(widest, metrics.horizontalAdvance(text));
    }
    // Every label, every second, every fifth or only the first: the fewest
    // left out that keep a space of half a digit between two labels.
    const int room = widest + metrics.horizontalAdvance(QLatin1Char('0')) / 2;
    for (const int stride : {1, 2, 5}) {
        if (stride * model.View().Geometry().cellWidth >= room) {
            return stride;
        }
    }
    return kGridCells;
}

void CurvePainter::DrawPowerScale(QPainter& painter, const CurveModel& model,
                                  QPoint plotOrigin) const {
    const std::optional<std::array<std::string, kLabelCount>> labels = model.PowerLabels();
    if (!labels) {
        return;
    }
    const PlotGeometry& g = model.View().Geometry();
    painter.setFont(AxisFont());
    painter.setPen(model.FlightCount() > 1 ? QColor(Qt::black) : FromColorRef(model.PowerColour()));
    const int lineHeight = QFontMetrics(painter.font()).height();
    const int x = plotOrigin.x() + g.plotWidth + kLabelGap;
    const int width = LabelMargins().right() - kLabelGap;
    // The title stands over the scale, ending where the room for it ends.
    const int right = x + width;
    painter.drawText(
        QRect(right - g.plotWidth, plotOrigin.y() - 2 * lineHeight, g.plotWidth, lineHeight),
        Qt::AlignRight | Qt::AlignTop, ShownText(kPowerScaleTitle));
    for (int k = 0; k < kLabelCount; ++k) {
        const int y = plotOrigin.y() + k * g.cellHeight;
        painter.drawText(QRect(x, y - lineHeight / 2, width, lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromLatin1((*labels)[k].c_str()).trimmed());
    }
}

}  // namespace tavix
