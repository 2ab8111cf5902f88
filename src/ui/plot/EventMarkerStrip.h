#pragma once
// The flight's events along the top edge of the curves: a thin strip over the
// curve view with one coloured bar per event (plot/EventMarkers places them).
// Pointing at a bar shows its text; clicking it chooses the event. Clicks
// anywhere else in the strip go on to the curve view underneath.

#include <QWidget>
#include <vector>

#include "analysis/FlightEvents.h"
#include "plot/EventMarkers.h"

namespace tavix {

class CurveModel;

class EventMarkerStrip : public QWidget {
    Q_OBJECT
public:
    EventMarkerStrip(const CurveModel& model, QWidget* view);

    void SetEvents(const std::vector<FlightEvent>& events);
    // Places the bars again (after a zoom or a resize of the view).
    void Relayout();
    const std::vector<EventMarker>& Markers() const { return markers_; }

signals:
    void eventChosen(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const CurveModel& model_;
    std::vector<FlightEvent> events_;
    std::vector<EventMarker> markers_;
};

}  // namespace tavix
