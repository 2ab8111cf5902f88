#pragma once
// The flight's events as a list beside the record page's statistics: time,
// kind (in its marker's colour) and what happened. Choosing an event (click,
// arrow keys, Enter) announces it, so the page can put the measuring cursors
// around it; "Limits..." asks for the limits the rules use. Passive: the
// events come from core (analysis/FlightEvents).

#include <QWidget>
#include <vector>

#include "analysis/FlightEvents.h"
#include "base/Translate.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace tavix {

inline constexpr const char* kEventListTitle = TAVIX_TR("Events");
inline constexpr const char* kEventLimitsButton = TAVIX_TR("Limits...");
inline constexpr const char* kNoEventsText = TAVIX_TR("No events.");

class EventListPanel : public QWidget {
    Q_OBJECT
public:
    explicit EventListPanel(QWidget* parent = nullptr);

    void SetEvents(const std::vector<FlightEvent>& events);
    QTreeWidget* List() const { return list_; }

signals:
    void eventChosen(int index);
    void limitsRequested();

private:
    QLabel* title_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QPushButton* limits_ = nullptr;
};

}  // namespace tavix
