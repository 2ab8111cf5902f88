#include "CCurveView.h"

#include <QHelpEvent>
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
    painter_.DrawCurves(painter, model_);
    cacheValid_ = true;
}

void CCurveView::paintEvent(QPaintEvent*) {
    if (!cacheValid_ || cache_.size() != size() * devicePixelRatioF()) {
        RebuildCache();
    }
    QPainter painter(this);
    painter.drawImage(0, 0, cache_);
    painter_.DrawMarker(painter, model_);
}

void CCurveView::mousePressEvent(QMouseEvent* event) {
    const int x = static_cast<int>(event->position().x());
    if (event->button() == Qt::LeftButton) {
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
    } else if (event->button() == Qt::RightButton) {
        if (model_.OnRightClick()) {
            InvalidateCurves();
            emit windowChanged();
        }
    }
    QWidget::mousePressEvent(event);
}

void CCurveView::mouseMoveEvent(QMouseEvent* event) {
    if (model_.OnMouseMove(static_cast<int>(event->position().x()))) {
        emit valuesRead();
        if (QToolTip::isVisible()) {
            QToolTip::showText(event->globalPosition().toPoint(), TooltipMarkup(), this);
        }
    }
    QWidget::mouseMoveEvent(event);
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
