#include "CCurveView.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "platform/GbkText.h"
#include "plot/CurveModel.h"

namespace tavix {

CCurveView::CCurveView(CurveModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("curveView"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    // A click (or Tab) gives the view the focus, so the arrow keys and Esc
    // reach the cursors.
    setFocusPolicy(Qt::StrongFocus);
}

bool CCurveView::ClearCursors() {
    pressOnCursor_ = false;
    if (!model_.Cursors().Clear()) {
        return false;
    }
    CursorsMoved();
    return true;
}

void CCurveView::CursorsMoved() {
    update();  // over the cached curves
    emit cursorsChanged();
}

void CCurveView::InvalidateCurves() {
    cacheValid_ = false;
    update();
}

QString CCurveView::TooltipMarkup() const {
    // Rich text for sure, each of the two lines kept whole, and a line break
    // the tooltip renders.
    QString text = FromGbk(model_.TooltipText());
    text.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return QStringLiteral("<p style=\"white-space:nowrap\">") + text + QStringLiteral("</p>");
}

void CCurveView::RebuildCache() {
    const qreal ratio = devicePixelRatioF();
    if (cache_.size() != size() * ratio) {
        cache_ = QImage(size() * ratio, QImage::Format_RGB32);
    }
    cache_.setDevicePixelRatio(ratio);
    cache_.fill(palette().color(QPalette::Window));
    QPainter painter(&cache_);
    painter_.DrawGrid(painter, model_.Geometry());
    // Flights laid over the record first, so the reference stays on top.
    flights_.DrawFlights(painter, model_);
    painter_.DrawCurves(painter, model_);
    flights_.DrawLegend(painter, model_);
    cacheValid_ = true;
    ++curveDraws_;
}

void CCurveView::paintEvent(QPaintEvent*) {
    if (!cacheValid_ || cache_.size() != size() * devicePixelRatioF()) {
        RebuildCache();
    }
    QPainter painter(this);
    painter.drawImage(0, 0, cache_);
    painter_.DrawMarker(painter, model_);
    painter_.DrawCursors(painter, model_);
}

void CCurveView::LeftClick(int x) {
    switch (model_.OnLeftClick(x)) {
        case ClickResult::Marked:
            update();  // the marker, over the cached curves
            break;
        case ClickResult::Zoomed:
            InvalidateCurves();
            emit windowChanged();
            break;
        case ClickResult::SameX:
        case ClickResult::Ignored:
            break;
    }
}

void CCurveView::mousePressEvent(QMouseEvent* event) {
    const int x = static_cast<int>(event->position().x());
    MeasureCursors& cursors = model_.Cursors();
    pressOnCursor_ = false;
    if (event->button() == Qt::LeftButton) {
        const Qt::KeyboardModifiers keys = event->modifiers();
        if (keys & (Qt::ShiftModifier | Qt::ControlModifier)) {
            const Cursor which = (keys & Qt::ShiftModifier) ? Cursor::A : Cursor::B;
            if (cursors.Place(which, x)) {
                cursors.BeginDrag(which);
                CursorsMoved();
            }
        } else if (const std::optional<Cursor> near = cursors.CursorNear(x)) {
            cursors.BeginDrag(*near);
            pressOnCursor_ = true;
            pressMoved_ = false;
            pressX_ = x;
        } else {
            LeftClick(x);
        }
    } else if (event->button() == Qt::RightButton) {
        if (model_.OnRightClick()) {
            InvalidateCurves();
            emit windowChanged();
        }
    }
    QWidget::mousePressEvent(event);
}

void CCurveView::mouseMoveEvent(QMouseEvent* event) {
    const int x = static_cast<int>(event->position().x());
    MeasureCursors& cursors = model_.Cursors();
    if (cursors.Dragging() && (event->buttons() & Qt::LeftButton)) {
        pressMoved_ = pressMoved_ || x != pressX_;
        if (cursors.DragTo(x)) {
            CursorsMoved();
        }
    }
    if (model_.OnMouseMove(x)) {
        emit valuesRead();
        if (QToolTip::isVisible()) {
            QToolTip::showText(event->globalPosition().toPoint(), TooltipMarkup(), this);
        }
    }
    QWidget::mouseMoveEvent(event);
}

void CCurveView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        model_.Cursors().EndDrag();
        if (pressOnCursor_ && !pressMoved_) {
            LeftClick(pressX_);
        }
        pressOnCursor_ = false;
    }
    QWidget::mouseReleaseEvent(event);
}

void CCurveView::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        const int step = (event->modifiers() & Qt::ShiftModifier) ? 10 : 1;
        if (model_.Cursors().Step(key == Qt::Key_Left ? -step : step)) {
            CursorsMoved();
        }
        event->accept();
        return;
    }
    // Esc belongs to the view, not to the page: a colour palette open on the
    // page closes with its own Esc.
    if (key == Qt::Key_Escape && ClearCursors()) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool CCurveView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (model_.RecordPresent() && model_.OnMouseMove(help->pos().x())) {
            QToolTip::showText(help->globalPos(), TooltipMarkup(), this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}

}  // namespace tavix
