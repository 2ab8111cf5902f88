#pragma once
// The record's curves on screen. It draws what its CurveModel says and hands
// it the mouse: a left click marks, a second left click elsewhere zooms, a
// right click shows the whole record, moving reads the values under the
// pointer into the status text and the tooltip.
//
// The measuring cursors: Shift+click places A, Ctrl+click places B (holding
// the button drags the cursor just placed), pressing on a cursor's line and
// moving drags it, the Left and Right keys step the cursor last moved by one
// sample (ten with Shift), Esc (or ClearCursors) removes both. A
// click on a cursor's line that does not move is a plain click: the zoom's
// two clicks work anywhere.
//
// The grid and the curves are kept in an image and drawn again only when the
// curves change (a record, a zoom, a size, a colour, a channel shown or
// hidden); a mouse move paints the cached image, the marker and the cursors.
//
// Moving through the record: the wheel zooms around the pointer, a drag with
// the middle button (or Alt + left) pans, + and - zoom around the middle and
// Home shows the whole record. A pan drag never marks, zooms or places a
// cursor.

#include <QImage>
#include <QWidget>
#include <optional>

#include "CurvePainter.h"
#include "FlightOverlayPainter.h"
#include "StackPainter.h"

namespace tavix {

class CurveModel;
class PlotStack;

class CCurveView : public QWidget {
    Q_OBJECT
public:
    CCurveView(CurveModel& model, QWidget* parent = nullptr);

    // The curves changed: draw them again at the next paint.
    void InvalidateCurves();
    // Draws the curves stacked as `stack` lays them out (it outlives its use
    // here), or all on one plot (null).
    void SetStack(const PlotStack* stack);
    const PlotStack* Stack() const { return stack_; }
    // The tooltip's markup for the current values (Qt rich text); over a
    // stacked plot (at view row `y`) that plot's quantity alone.
    QString TooltipMarkup(int y = -1) const;
    // How many times the grid and curves were drawn into the cached image: a
    // cursor or the pointer moving leaves it alone.
    int CurveDraws() const { return curveDraws_; }
    // Removes both measuring cursors (true when there were any).
    bool ClearCursors();

signals:
    // The read-out has new values (the status text of pane 0 follows).
    void valuesRead();
    // The visible window changed (zoom or whole record): the labels follow.
    void windowChanged();
    // A measuring cursor was placed, moved or removed.
    void cursorsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;

private:
    void RebuildCache();
    void LeftClick(int x);
    void CursorsMoved();
    // Moving through the record: each takes the event when it belongs to a
    // pan drag or is a zoom key, and says so.
    bool PanPress(const QMouseEvent* event);
    bool PanMove(const QMouseEvent* event);
    bool PanRelease(const QMouseEvent* event);
    bool ZoomKey(const QKeyEvent* event);
    // The window moved: the curves, the labels and the values under the
    // pointer (at `pointerX`, when it is over the curves) follow.
    void WindowMoved(std::optional<int> pointerX);

    // How far down the marker and the cursors reach: every stacked plot.
    int MarkHeight() const;

    CurveModel& model_;
    const PlotStack* stack_ = nullptr;
    CurvePainter painter_;
    FlightOverlayPainter flights_;
    StackPainter stacked_;
    QImage cache_;
    bool cacheValid_ = false;
    int curveDraws_ = 0;
    // A press on a cursor's line: a drag once the pointer moves, otherwise a
    // plain click at pressX_ when the button is released.
    bool pressOnCursor_ = false;
    bool pressMoved_ = false;
    int pressX_ = 0;
    // The button holding a pan drag (none while not panning).
    Qt::MouseButton panButton_ = Qt::NoButton;
};

}  // namespace tavix
