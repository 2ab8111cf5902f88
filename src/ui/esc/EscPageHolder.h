#pragma once
// What the "2.Parameter Setting" tab holds: one page per series of the
// registry (esc/EscSeries.h), of which it shows the one of the series the last
// identification found. It asks for the series each time the tab is shown, so
// a newly identified ESC of another series gets its own page.

#include <functional>

#include "link/PortName.h"
#include "ui/device/DevicePage.h"

class QStackedLayout;

namespace tavix {

class EscPage;
class Prompt;

// The holder talks to no device itself: each series page has its own port.
class EscPageHolder : public DevicePage {
    Q_OBJECT
public:
    // `series` gives the identified series (kSeriesTarrow ... kSeriesPeldan).
    EscPageHolder(std::function<int()> series, Prompt& prompt, const PortSource& port,
                  QWidget* parent = nullptr);

    // Shows the page of the series identified now and runs its show.
    void PageShown() override;
    // Runs the hide of the page last shown (closing its port).
    void PageHidden() override;

    // While shown: when the ESC identified now is of another series than the
    // page on show (swapped on the port and found by a read of the page),
    // hides that page and shows the series' own, which reads it.
    void FollowSeries();

    EscPage* PageOf(int series) const;
    EscPage* Current() const { return current_; }

private:
    std::function<int()> series_;
    QStackedLayout* stack_ = nullptr;
    std::vector<EscPage*> pages_;  // one per registry row
    EscPage* current_ = nullptr;
};

}  // namespace tavix
