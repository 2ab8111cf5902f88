#pragma once
// The base of every page on the main form that talks to the device (the ESC
// parameter pages, the logger page, the upgrade page). The main form tells a
// page when its tab is shown and hidden: the session opens the port on show
// and closes it on hide.
//
// A page that talks to the device itself derives from SessionPage: it owns
// its own serial control and timers, as the device expects of each page, and
// a core session that holds all of its rules; the page only draws the
// session's state and forwards clicks. It builds its session on Comm(),
// Timers() and the prompt, and implements PageShown/PageHidden (usually the
// session's OnShow(true) and OnHide()) and Refresh (redraw from the state).
// A page that only holds other pages (the ESC series pages) derives from
// DevicePage and owns no port of its own.

#include <QWidget>
#include <memory>

namespace tavix {

class CMSComm;
class QtTimerHost;
class TimerHost;

class DevicePage : public QWidget {
    Q_OBJECT
public:
    explicit DevicePage(QWidget* parent = nullptr);
    ~DevicePage() override;

    // The main form made this page current, or another page current.
    virtual void PageShown() = 0;
    virtual void PageHidden() = 0;
};

// A device page with its own serial control, timers and session.
class SessionPage : public DevicePage {
    Q_OBJECT
public:
    explicit SessionPage(QWidget* parent = nullptr);
    ~SessionPage() override;

    CMSComm& Comm() { return *comm_; }
    TimerHost& Timers();

protected:
    // Redraws every control from the session's state (the session's `changed`).
    virtual void Refresh() = 0;

private:
    std::unique_ptr<CMSComm> comm_;
    std::unique_ptr<QtTimerHost> timers_;
};

}  // namespace tavix
