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
//
// The page shows the one connected device (ConnectedDevice). What it shows
// was read under one generation of that device's identity: when the identity
// ends or changes (Open Device, a time-out, an unplug, another port, another
// ESC found on the port), an idle page clears what it showed at once
// (IdentityEnded), and the next show reads again. Each block the page reads
// is handed to the device, so a swapped ESC is seen by every page.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/Bytes.h"
#include "device/ConnectedDevice.h"
#include "link/CMSComm.h"
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

    // The device the page shows (unset: the page keeps to itself). The page
    // may outlive it (windows are torn down after the app root).
    void SetDevice(const std::shared_ptr<ConnectedDevice>& device);

    // Whether the page is on screen now; the commands do nothing while not.
    // Shown after the device's identity changed, the page reads again.
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // The next show clears the page and reads the device again.
    bool ResetPending() const { return reset_; }

    // The visible state changed.
    std::function<void()> changed;
    // The device is no longer there for sure (see above).
    std::function<void()> deviceLost;

    // The port opened at every show; `PortPath` resolves it now.
    void SetPortSource(PortSource port) { port_ = std::move(port); }
    std::string PortPath() const { return port_ ? port_() : std::string(); }

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
    // will not open is reported with `inUse` as the busy port's message, and
    // the device is lost.
    bool OpenPort(const char* inUse = kMsgPortInUsePage);
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

    ConnectedDevice* Device() const { return device_.lock().get(); }
    // The block the page just read: handed to the device (which sees a
    // swapped ESC), and what the page shows now belongs to this identity.
    void BlockRead(const Bytes& block);
    // What the page shows now was read from the device identified now (a
    // page that does not read the block itself).
    void MarkShown();
    // Whether `block`, read for a write, comes from the ESC the page showed:
    // the identity of the block the page last read (or of the device when it
    // showed something else), and the device's, when one is identified.
    bool SameEscAsShown(const Bytes& block) const;
    // The device's identity ended or changed while the page showed an older
    // one and is not in the middle of an exchange of its own: clear it.
    virtual void IdentityEnded() {}

private:
    void DeviceChanged();

    CMSComm& comm_;
    TimerHost& timers_;
    Prompt& prompt_;
    PortSource port_;
    DeviceRequest request_;
    bool visible_ = false;
    bool reset_ = true;
    std::weak_ptr<ConnectedDevice> device_;
    int watch_ = 0;
    unsigned shownGeneration_ = 0;
    std::optional<DeviceIdentity> shownIdentity_;  // unset: not known
    bool reporting_ = false;
};

}  // namespace tavix
