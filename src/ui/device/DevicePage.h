#pragma once
// The base of every page on the main form that talks to the device (the ESC
// parameter pages, the logger page, the upgrade page). A page owns its own
// serial control and timers, as the device expects of each page, and a core
// session that holds all of its rules; the page only draws the session's state
// and forwards clicks. The main form tells it when its tab is shown and hidden:
// the session opens the port on show and closes it on hide.
//
// A page class derives from DevicePage, builds its session on Comm(),
// Timers() and the prompt, and implements PageShown/PageHidden (usually the
// session's OnShow(true) and OnHide()) and Refresh (redraw from the state).

#include <QWidget>
#include <memory>

namespace tavix {

class CMSComm;
class CTavixView;
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

    CMSComm& Comm() { return *comm_; }
    TimerHost& Timers();

protected:
    // Redraws every control from the session's state (the session's `changed`).
    virtual void Refresh() = 0;

private:
    std::unique_ptr<CMSComm> comm_;
    std::unique_ptr<QtTimerHost> timers_;
};

// Puts `page` on tab `tab` of `view` and calls its PageShown / PageHidden as
// that tab becomes current and stops being current. The view owns the page.
void InstallDevicePage(CTavixView& view, int tab, DevicePage* page);

}  // namespace tavix
