#include "CCurveView.h"

#include <QCursor>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>

#include "platform/GbkText.h"
#include "platform/UiLanguage.h"
#include "plot/CurveModel.h"
#include "plot/PlotStack.h"

namespace tavix {

CCurveView::CCurveView(CurveModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("curveView"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    // A click, the wheel (or Tab) gives the view the focus, so the arrow
    // keys and Esc reach the cursors and + - Home the window.
    setFocusPolicy(Qt::WheelFocus);
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

void CCurveView::SetStack(const PlotStack* stack) {
    stack_ = stack;
    InvalidateCurves();
}

int CCurveView::MarkHeight() const {
    return stack_ != nullptr ? std::max(0, stack_->ViewHeight() - 1) : -1;
}

QString CCurveView::TooltipMarkup(int y) const {
    // Rich text for sure, each of the two lines kept whole, and a line break
    // the tooltip renders.
    const int strip = stack_ != nullptr ? stack_->StripAt(y) : -1;
    QString text = ShownText(
        strip >= 0
            ? model_.CurveTooltipText(stack_->Strips()[static_cast<std::size_t>(strip)].curve)
            : model_.TooltipText());
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
    if (stack_ != nullptr) {
        stacked_.Draw(painter, model_, *stack_);
    } else {
        painter_.DrawGrid(painter, model_.View().Geometry());
        // Flights laid over the record first, so the reference stays on top.
        flights_.DrawFlights(painter, model_);
        painter_.DrawCurves(painter, model_);
    }
    cacheValid_ = true;
    ++curveDraws_;
}

void CCurveView::paintEvent(QPaintEvent*) {
    if (!cacheValid_ || cache_.size() != size() * devicePixelRatioF()) {
        RebuildCache();
    }
    QPainter painter(this);
    painter.drawImage(0, 0, cache_);
    painter_.DrawMarker(painter, model_, MarkHeight());
    if (stack_ != nullptr) {
        // The stacked plots' page draws the legend above them.
        painter_.DrawCursors(painter, model_, QRect(), MarkHeight());
        return;
    }
    painter_.DrawCursors(painter, model_, FlightOverlayPainter::LegendBox(model_), MarkHeight());
    // Last: nothing is drawn over the names of the flights.
    flights_.DrawLegend(painter, model_);
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
    if (PanPress(event)) {
        return;
    }
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
    PanMove(event);
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
            QToolTip::showText(event->globalPosition().toPoint(),
                               TooltipMarkup(static_cast<int>(event->position().y())), this);
        }
    }
    QWidget::mouseMoveEvent(event);
}

void CCurveView::mouseReleaseEvent(QMouseEvent* event) {
    if (PanRelease(event)) {
        return;
    }
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
    if (ZoomKey(event)) {
        event->accept();
        return;
    }
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

void CCurveView::WindowMoved(std::optional<int> pointerX) {
    InvalidateCurves();
    emit windowChanged();
    if (pointerX && model_.OnMouseMove(*pointerX)) {
        emit valuesRead();
    }
}

void CCurveView::wheelEvent(QWheelEvent* event) {
    // 120 eighths of a degree make one notch; a touchpad sends parts of one.
    const double notches = event->angleDelta().y() / 120.0;
    const int x = static_cast<int>(event->position().x());
    if (notches != 0.0 && !model_.View().Panning() && model_.ZoomAt(x, notches)) {
        WindowMoved(x);
    }
    event->accept();  // a page around the curves never scrolls instead
}

bool CCurveView::PanPress(const QMouseEvent* event) {
    if (model_.View().Panning()) {
        return true;  // another button during a pan drag does nothing
    }
    const bool pan = event->button() == Qt::MiddleButton ||
                     (event->button() == Qt::LeftButton && (event->modifiers() & Qt::AltModifier));
    if (!pan || !model_.BeginPan(static_cast<int>(event->position().x()))) {
        return false;
    }
    panButton_ = event->button();
    pressOnCursor_ = false;
    setCursor(Qt::ClosedHandCursor);
    return true;
}

bool CCurveView::PanMove(const QMouseEvent* event) {
    if (!model_.View().Panning() || !(event->buttons() & panButton_)) {
        return false;
    }
    const int x = static_cast<int>(event->position().x());
    if (model_.PanTo(x)) {
        InvalidateCurves();
        emit windowChanged();
    }
    return true;
}

bool CCurveView::PanRelease(const QMouseEvent* event) {
    if (!model_.View().Panning()) {
        return false;
    }
    if (event->button() == panButton_) {
        model_.EndPan();
        panButton_ = Qt::NoButton;
        setCursor(Qt::CrossCursor);
    }
    return true;
}

bool CCurveView::ZoomKey(const QKeyEvent* event) {
    const int key = event->key();
    bool moved = false;
    if (key == Qt::Key_Plus || key == Qt::Key_Equal) {
        moved = model_.ZoomAtCentre(1.0);
    } else if (key == Qt::Key_Minus) {
        moved = model_.ZoomAtCentre(-1.0);
    } else if (key == Qt::Key_Home) {
        moved = model_.OnRightClick();
    } else {
        return false;
    }
    if (moved) {
        // Other values now lie under a pointer resting on the curves.
        WindowMoved(underMouse() ? std::optional<int>(mapFromGlobal(QCursor::pos()).x())
                                 : std::nullopt);
    }
    return true;
}

bool CCurveView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (model_.View().RecordPresent() && model_.OnMouseMove(help->pos().x())) {
            QToolTip::showText(help->globalPos(), TooltipMarkup(help->pos().y()), this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}

}  // namespace tavix
