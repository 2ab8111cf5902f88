#pragma once
// The record's curves on screen. It draws what its CurveModel says and hands
// it the mouse: a left click marks, a second left click elsewhere zooms, a
// right click shows the whole record, moving reads the values under the
// pointer into the status text and the tooltip.
//
// The grid and the curves are kept in an image and drawn again only when the
// curves change (a record, a zoom, a size, a colour, a channel shown or
// hidden); a mouse move paints the cached image and the marker.

#include <QImage>
#include <QWidget>

#include "CurvePainter.h"

namespace tavix {

class CurveModel;

class CCurveView : public QWidget {
    Q_OBJECT
public:
    CCurveView(CurveModel& model, QWidget* parent = nullptr);

    // The curves changed: draw them again at the next paint.
    void InvalidateCurves();
    // The tooltip's markup for the current values (Qt rich text).
    QString TooltipMarkup() const;

signals:
    // The read-out has new values (the status text of pane 0 follows).
    void valuesRead();
    // The visible window changed (zoom or whole record): the labels follow.
    void windowChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void RebuildCache();

    CurveModel& model_;
    CurvePainter painter_;
    QImage cache_;
    bool cacheValid_ = false;
};

}  // namespace tavix
