#pragma once
// What every device page's session stands on (the ESC parameter pages, the
// logger page, the upgrade page): the page's own serial control and timers
// with the one request engine on them, whether the page is on screen, the
// reset flag, the activity bar, change notification, the port opened with the
// pages' procedure and messages, and the question box after which the state
// is checked again. A session adds only its own states.
//
// The main form shows and hides the page: OnShow(open) makes the page visible
// when `open` (and takes the port), OnHide closes the port and makes it
// hidden. The commands of a hidden page do nothing.
//
// A box still lets timers and serial events run: a session changes its state
// before it shows a message, and after a question it acts only when the state
// it asked about still holds (Ask, Confirm).
//
// A request that times out, or a port that will not open, means the device is
// gone: `deviceLost` tells the main form, whose connection icon and device
// buttons follow, as they do for its own exchanges.

#include <functional>
#include <string>

#include "link/DeviceRequest.h"
#include "link/PortName.h"
#include "shell/Prompt.h"

namespace tavix {

class CMSComm;
class TimerHost;

class DeviceLine {
public:
    // Takes over `comm`'s receive event and `timers`' handler. `port` names
    // the port to open at every show.
    DeviceLine(CMSComm& comm, TimerHost& timers, Prompt& prompt, PortSource port,
               ReplyMatch match = ReplyMatch::PendingCommand);
    virtual ~DeviceLine();
    DeviceLine(const DeviceLine&) = delete;
    DeviceLine& operator=(const DeviceLine&) = delete;

    // Whether the page is on screen now; the commands do nothing while not.
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    // The next show clears the page and reads the device again.
    bool ResetPending() const { return reset_; }

    // The visible state changed.
    std::function<void()> changed;
    // The device is no longer there for sure (see above).
    std::function<void()> deviceLost;

    // The serial control's receive event and the page's timer ticks.
    virtual void OnComm() = 0;
    virtual void OnTimer(int id) = 0;

protected:
    CMSComm& Comm() { return comm_; }
    TimerHost& Timers() { return timers_; }
    Prompt& GetPrompt() { return prompt_; }
    DeviceRequest& Request() { return request_; }
    const DeviceRequest& Request() const { return request_; }
    void SetReset(bool reset) { reset_ = reset; }

    // Opens the page's port (one already open counts as open); a port that
    // will not open is reported, and the device is lost.
    bool OpenPort();
    void ClosePort();

    // Counts a tick of the request's timer; a time-out loses the device.
    TickOutcome CountTick(int id, int timeoutTick = kTimeoutTick);
    // One step of the activity bar.
    static void StepActivity(int& progress) { progress = NextActivityStep(progress); }

    // Tells the page to redraw (after BeforeNotify brought derived flags up to date).
    void Notify();
    virtual void BeforeNotify() {}

    // Asks; true only for Yes while `stillSo` holds after the box closed.
    bool Ask(const std::string& text, PromptIcon icon, const std::function<bool()>& stillSo);
    bool Confirm(const std::string& text, PromptIcon icon, const std::string& detail,
                 bool defaultYes, const std::function<bool()>& stillSo);

    void DeviceLost();

private:
    CMSComm& comm_;
    TimerHost& timers_;
    Prompt& prompt_;
    PortSource port_;
    DeviceRequest request_;
    bool visible_ = false;
    bool reset_ = true;
};

}  // namespace tavix
