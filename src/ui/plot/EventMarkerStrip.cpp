#include "EventMarkerStrip.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "platform/ColorRef.h"
#include "platform/UiLanguage.h"
#include "plot/CurveModel.h"

namespace tavix {

EventMarkerStrip::EventMarkerStrip(const CurveModel& model, QWidget* view)
    : QWidget(view), model_(model) {
    setObjectName(QStringLiteral("eventMarkers"));
    setCursor(Qt::PointingHandCursor);
    view->installEventFilter(this);  // follows the view's size
    Relayout();
}

void EventMarkerStrip::SetEvents(const std::vector<FlightEvent>& events) {
    events_ = events;
    Relayout();
}

void EventMarkerStrip::Relayout() {
    const QWidget* view = parentWidget();
    setGeometry(0, 0, view->width(), kMarkerHeight);
    markers_ = PlaceEventMarkers(events_, model_);
    setVisible(!markers_.empty());
    raise();
    update();
}

bool EventMarkerStrip::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        Relayout();
    }
    return QWidget::eventFilter(watched, event);
}

void EventMarkerStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (const EventMarker& m : markers_) {
        const QColor colour = FromColorRef(m.colour);
        painter.fillRect(QRect(m.left, 0, m.right - m.left + 1, kMarkerHeight), colour);
        painter.setPen(colour.darker(150));
        painter.drawRect(QRect(m.left, 0, m.right - m.left, kMarkerHeight - 1));
    }
}

void EventMarkerStrip::mousePressEvent(QMouseEvent* event) {
    const auto hit = EventAtColumn(markers_, static_cast<int>(event->position().x()));
    if (event->button() == Qt::LeftButton && hit) {
        emit eventChosen(*hit);
        event->accept();
        return;
    }
    event->ignore();  // the curve view underneath takes it
}

bool EventMarkerStrip::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const auto hit = EventAtColumn(markers_, help->pos().x());
        if (hit) {
            const FlightEvent& e = events_[static_cast<std::size_t>(*hit)];
            QToolTip::showText(help->globalPos(),
                               QStringLiteral("%1 s  %2: %3")
                                   .arg(QString::fromStdString(PointNumber(e.time, 1)),
                                        ShownText(EventKindName(e.kind)), ShownText(e.message)),
                               this);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

}  // namespace tavix
